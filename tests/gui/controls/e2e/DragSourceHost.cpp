// SPDX-License-Identifier: GPL-3.0-or-later
// A window holding one copy-and-drag button, for the desktop tests: the
// button carries the text given as the first argument (UTF-8), and every
// copy and finished drag is reported on standard output.
#include "core/store/CodePage.h"
#include "gui/controls/DragTextButton.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TEXT\n", argv[0]);
        return 2;
    }
    std::string strText;
    if (!CCodePage::Default().FromUtf8(argv[1], strText)) {
        std::fprintf(stderr, "the text does not fit the code page\n");
        return 2;
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("Drag source"));
    window.resize(220, 80);
    auto* pButton = new CDragTextButton(&window);
    pButton->setText(QStringLiteral("Copy / Drag"));
    pButton->setGeometry(10, 10, 200, 60);
    pButton->SetDragText(strText);
    QObject::connect(pButton, &CDragTextButton::TextCopied, [] {
        std::printf("copied\n");
        std::fflush(stdout);
    });
    QObject::connect(pButton, &CDragTextButton::DragFinished, [](Qt::DropAction eAction) {
        std::printf("drag finished %d\n", static_cast<int>(eAction));
        std::fflush(stdout);
    });
    window.show();
    return QApplication::exec();
}
