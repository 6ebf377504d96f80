#include "widgets/HourEdit.h"

#include <QKeyEvent>

namespace kolmasyst {

HourEdit::HourEdit(QWidget* parent) : QTimeEdit(parent) {
    setDisplayFormat(QStringLiteral("HH:mm"));
}

QTime HourEdit::typedTime(const QString& typed, const QTime& current) {
    QString hours = typed, minutes;
    const int colon = typed.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        hours = typed.left(colon);
        minutes = typed.mid(colon + 1);
    } else if (typed.size() == 3) {
        // "074" on the way to "0745", but "730" is 7:30.
        const int split = typed.left(2).toInt() <= 23 ? 2 : 1;
        hours = typed.left(split);
        minutes = typed.mid(split);
    } else if (typed.size() == 4) {
        hours = typed.left(2);
        minutes = typed.mid(2);
    } else if (typed.size() > 4) {
        return QTime();
    }
    if (hours.isEmpty() || hours.size() > 2 || minutes.size() > 2)
        return QTime();
    bool ok = false;
    const int h = hours.toInt(&ok);
    if (!ok || h > 23)
        return QTime();
    int m = current.isValid() ? current.minute() : 0;
    if (!minutes.isEmpty()) {
        m = minutes.toInt(&ok);
        if (!ok || m > 59)
            return QTime();
    }
    return QTime(h, m);
}

void HourEdit::focusInEvent(QFocusEvent* event) {
    m_typed.clear();
    QTimeEdit::focusInEvent(event);
}

void HourEdit::apply() {
    const QTime time = typedTime(m_typed, this->time());
    if (time.isValid())
        setTime(time);
}

void HourEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool typing = text.size() == 1 && (text.at(0).isDigit() || text.at(0) == QLatin1Char(':'));
    if (typing) {
        m_typed += text;
        // What cannot become an hour starts a new one with this key.
        if (!typedTime(m_typed, time()).isValid())
            m_typed = text;
        apply();
        event->accept();
        return;
    }
    // A typed hour is whole: Tab leaves the field instead of stepping to its minutes.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && !m_typed.isEmpty()) {
        m_typed.clear();
        focusNextPrevChild(event->key() == Qt::Key_Tab);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Backspace && !m_typed.isEmpty()) {
        m_typed.chop(1);
        if (!m_typed.isEmpty())
            apply();
        event->accept();
        return;
    }
    m_typed.clear();
    QTimeEdit::keyPressEvent(event);
}

} // namespace kolmasyst
