// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>
#include <QStringList>

// A static text painted blue and underlined, the look of every link of the
// program. The text is drawn as it is (no "&" mnemonics, no rich text),
// left-aligned at the top, one line per line of the text, without wrapping;
// a line that does not fit ends with "...".
class CUnderlineStatic : public QLabel {
    Q_OBJECT

public:
    explicit CUnderlineStatic(QWidget* pParent = nullptr);
    explicit CUnderlineStatic(const QString& strText, QWidget* pParent = nullptr);

    // The lines as painted at the current width.
    QStringList DisplayLines() const;
    // The parent's font, underlined (the control's own when it has no parent).
    QFont PaintFont() const;

    static QColor LinkColour() { return QColor(0, 0, 255); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    // The colour behind the text itself; invalid for none.
    virtual QColor TextBackground() const { return {}; }

private:
    void Init();
};
