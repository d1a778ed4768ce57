// trindel: the desktop data-acquisition program.
#include <QApplication>

#include "desktop_program.h"
#include "toolbar_icons.h"
#include "window_map.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trindel");
    QApplication::setWindowIcon(trindel::gui::programIcon());
    trindel::gui::startWindowMap(&app);
    trindel::gui::DesktopProgram program;
    program.run();
    return 0;
}
