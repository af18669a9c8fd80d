// SPDX-License-Identifier: GPL-3.0-or-later
// Another program's text field, for the desktop tests: a window with one line
// edit that prints its text on standard output whenever it changes.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Drop target"));
    window.resize(320, 60);
    auto* pLayout = new QVBoxLayout(&window);
    auto* pEdit = new QLineEdit(&window);
    pLayout->addWidget(pEdit);
    QObject::connect(pEdit, &QLineEdit::textChanged, [](const QString& strText) {
        std::printf("text: %s\n", strText.toUtf8().constData());
        std::fflush(stdout);
    });
    window.show();
    return QApplication::exec();
}
