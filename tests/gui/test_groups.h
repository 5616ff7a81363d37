#pragma once
// The groups of desktop tests that gui_test_main runs in one application object.
int RunMainWindowTests(int argc, char** argv);
int RunTournamentFlowTests(int argc, char** argv);
