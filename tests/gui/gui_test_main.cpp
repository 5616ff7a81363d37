// Runs every desktop test in one application object.
#include "gui_harness.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    GuiTest test;
    return QTest::qExec(&test, argc, argv) == 0 ? 0 : 1;
}
