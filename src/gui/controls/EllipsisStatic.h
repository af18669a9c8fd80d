// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A one-line static text shown as it is (no "&" mnemonics, no rich text, no
// wrapping) on the dialog's face. A text too long for the control loses its
// end to "...", so a long folder path never widens its dialog.
class CEllipsisStatic : public QLabel {
    Q_OBJECT

public:
    explicit CEllipsisStatic(QWidget* pParent = nullptr);

    // The text as painted at the current width.
    QString DisplayText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};
