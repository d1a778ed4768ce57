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
    // A document opened from the desktop or named on the command line.
    const QStringList args = QApplication::arguments();
    trindel::gui::DesktopProgram program(args.size() > 1 ? args.at(1).toStdString()
                                                         : std::string());
    program.offerRecovery();
    program.run();
    return 0;
}
