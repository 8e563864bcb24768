#include "text_codec.h"

#include "format/ansi.h"

namespace kestrel::ui {

// Both ways in one pass into a string of the final size: every row of the
// lists is converted each time it is drawn.
QString fromAnsi(const std::string& bytes) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* to = out.data();
    for (const char c : bytes) *to++ = QChar(ansiCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string toAnsi(const QString& text) {
    std::string out(static_cast<std::size_t>(text.size()), '\0');
    char* to = out.data();
    for (const QChar c : text) *to++ = ansiByte(c.unicode()).value_or('?');
    return out;
}

QString fromUtf8Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8Text(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace kestrel::ui
