// Runs every group of desktop tests in one application object.
#include <QApplication>

int RunMainWindowTests(int argc, char** argv);
int RunTournamentFlowTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = RunMainWindowTests(argc, argv);
    failures += RunTournamentFlowTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
