#include "text_codec.h"

#include "format/ansi.h"

namespace kestrel::ui {

QString fromAnsi(const std::string& bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) out.append(QChar(ansiCodePoint(static_cast<unsigned char>(c))));
    return out;
}

std::string toAnsi(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) out.push_back(ansiByte(c.unicode()).value_or('?'));
    return out;
}

QString fromUtf8Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8Text(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace kestrel::ui
