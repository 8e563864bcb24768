#include "controls.h"

#include "text_codec.h"

#include <QLabel>
#include <QListWidget>

#include <algorithm>

namespace kestrel::ui {

QWidget* controlOf(QWidget& window, std::string_view name) {
    const QString wanted = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    for (QWidget* w : window.findChildren<QWidget*>(wanted))
        if (w->window() == window.window()) return w;
    return nullptr;
}

Controls::Controls(QWidget& window) {
    // In the order controlOf meets them: the first of a name counts.
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->window() == window.window() && !byName_.contains(w->objectName()))
            byName_.insert(w->objectName(), w);
}

QWidget* Controls::operator()(std::string_view name) const {
    return byName_.value(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                         nullptr);
}

void nameByLabels(QWidget& window,
                  std::initializer_list<std::pair<const char*, const char*>> labelAndControl) {
    const Controls controls(window);
    for (const auto& [label, control] : labelAndControl) {
        auto* l = qobject_cast<QLabel*>(controls(label));
        QWidget* named = controls(control);
        if (!l || !named) continue;
        l->setBuddy(named);
        named->setAccessibleName(l->text().remove(u'&').simplified());
    }
}

void setTipAndName(QWidget& control, const QString& tip) {
    control.setToolTip(tip);
    control.setAccessibleName(tip);
}

// The items are changed in place, and only those that differ: a list laid
// out again costs more than the few texts it shows.
void showListItems(QListWidget* list, const QStringList& texts, int selected) {
    const int common = std::min(list->count(), static_cast<int>(texts.size()));
    for (int i = 0; i < common; ++i)
        if (list->item(i)->text() != texts[i]) list->item(i)->setText(texts[i]);
    while (list->count() > texts.size()) delete list->takeItem(list->count() - 1);
    if (list->count() < texts.size()) list->addItems(texts.mid(list->count()));
    list->setCurrentRow(selected);
    if (selected < 0) list->clearSelection();
}

void showListItems(QListWidget* list, const std::vector<std::string>& items, int selected) {
    QStringList texts;
    for (const std::string& item : items) texts.append(fromAnsi(item));
    showListItems(list, texts, selected);
}

} // namespace kestrel::ui
