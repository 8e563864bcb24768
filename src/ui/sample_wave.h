#pragma once
// The chosen sample's wave, drawn from the picture the core read of its .wav
// (the lowest and highest value of each stretch, channels stacked), with its
// length, rate, channels and bits. It is read again only when the sample
// changes.

#include "actions/current_sound.h"

#include <QWidget>

namespace kestrel::ui {

class SampleWave : public QWidget {
    Q_OBJECT
public:
    explicit SampleWave(QWidget* parent);
    // Shows `view` of `sample`; the note is in `language`.
    void show(const std::string& sample, SampleView view, Language language);
    const QString& note() const { return note_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SampleView view_;
    QString note_;
};

} // namespace kestrel::ui
