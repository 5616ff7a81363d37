// Runs every group of desktop tests in one application object.
#include <QApplication>

#include "gui_harness.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = RunMainWindowTests(argc, argv);
    failures += RunTournamentFlowTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
