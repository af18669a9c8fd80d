#pragma once

#include <QPushButton>

// A push button that carries one of the program's numbered icons beside its
// text. Icons come from the resource ":/icons/<number>.svg"; when the icon set
// has no such picture the button falls back to a standard icon of the style.
class CHoverButton : public QPushButton {
    Q_OBJECT

public:
    explicit CHoverButton(QWidget* pParent = nullptr);
    explicit CHoverButton(const QString& strText, QWidget* pParent = nullptr);

    // Shows icon number nIconId; 0 removes the icon.
    void SetIconId(int nIconId);
    int IconId() const { return m_nIconId; }

    // The numbered icon, or an empty icon when the resource is missing.
    static QIcon LoadNumberedIcon(int nIconId);

private:
    int m_nIconId = 0;
};
