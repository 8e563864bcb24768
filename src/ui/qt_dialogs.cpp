#include "qt_dialogs.h"

#include "captions.h"
#include "controls.h"
#include "text_codec.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace kestrel::ui {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
    case Buttons::YesNoShow: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::ApplyDiscardCancel:
        return QMessageBox::Apply | QMessageBox::Discard | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer answerOf(int button) {
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Apply: return Answer::Apply;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Cancel;
    }
}

} // namespace

QtDialogs::QtDialogs(std::function<Language()> language) : language_(std::move(language)) {}

Answer QtDialogs::message(Msg id, const std::vector<std::string>& args) {
    const MsgStyle style = styleOf(id);
    const MessageText t = messageText(id, language_(), args);
    QMessageBox box(qtIcon(style.icon), t.title, t.text, qtButtons(style.buttons), window_);
    const std::pair<QMessageBox::StandardButton, Answer> buttons[] = {
        {QMessageBox::Ok, Answer::Ok},       {QMessageBox::Cancel, Answer::Cancel},
        {QMessageBox::Yes, Answer::Yes},     {QMessageBox::No, Answer::No},
        {QMessageBox::Apply, Answer::Apply}, {QMessageBox::Discard, Answer::Discard}};
    for (const auto& [button, answer] : buttons)
        if (QAbstractButton* b = box.button(button)) b->setText(answerText(answer, language_()));
    // Closing a question box without answering must never go on.
    QPushButton* show = nullptr;
    if (style.buttons == Buttons::YesNoShow)
        show = box.addButton(answerText(Answer::Show, language_()), QMessageBox::ActionRole);
    if (style.buttons == Buttons::YesNo || style.buttons == Buttons::YesNoShow)
        box.setEscapeButton(QMessageBox::No);
    if (style.buttons == Buttons::OkCancel || style.buttons == Buttons::ApplyDiscardCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    if (style.buttons == Buttons::ApplyDiscardCancel) box.setDefaultButton(QMessageBox::Apply);
    const int pressed = box.exec();
    return show && box.clickedButton() == show ? Answer::Show : answerOf(pressed);
}

std::optional<std::string> QtDialogs::openFile(FileDialog which, const std::string& initialDir) {
    const FileDialogText t = fileDialogText(which, language_());
    QString dir = fromUtf8Text(initialDir);
#ifndef _WIN32
    // The level editor's usual Windows folder means nothing here: the
    // user's home folder, with nothing typed in the name box.
    if (!QFileInfo(dir).isDir()) dir = QDir::homePath();
#endif
    QFileDialog dialog(window_, t.title, dir, t.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toUtf8Text(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

void QtDialogs::focus(std::string_view control) {
    if (!window_) return;
    if (QWidget* w = controlOf(*window_, control)) w->setFocus(Qt::OtherFocusReason);
}

} // namespace kestrel::ui
