#pragma once

#include <QTimeEdit>

namespace kolmasyst {

// A time picker for the hour of a schedule that takes a typed hour whichever part of the time is
// selected: "7", "7:30", "0730" typed over the minutes still mean 07:00, 07:30, 07:30. The keys
// that step and move go to the picker as usual.
class HourEdit : public QTimeEdit {
    Q_OBJECT
public:
    explicit HourEdit(QWidget* parent = nullptr);

    // What a typed text means, current giving the minutes an hour alone keeps; invalid when the
    // text is no hour.
    static QTime typedTime(const QString& typed, const QTime& current);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void apply();

    QString m_typed;
};

} // namespace kolmasyst
