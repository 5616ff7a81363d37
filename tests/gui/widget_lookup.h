#pragma once
// Finding and pressing the controls of a window by their names.
#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

namespace veltrun::testing {

template <typename Widget = QWidget>
inline Widget* Child(QWidget* root, const char* name) {
    auto* widget = root->findChild<Widget*>(name);
    if (!widget) qFatal("no widget %s", name);
    return widget;
}

inline QString LabelText(QWidget* root, const char* name) { return Child<QLabel>(root, name)->text(); }
inline QString ButtonText(QWidget* root, const char* name) { return Child<QAbstractButton>(root, name)->text(); }

inline void Click(QWidget* root, const char* name) { QTest::mouseClick(Child<QAbstractButton>(root, name), Qt::LeftButton); }

inline const char* const AllButtons[] = {
    "BTN_LANGUAGE",      "BTN_NEW_TOURNAMENT",   "BTN_OPEN_TOURNAMENT",    "BTN_ABOUT",
    "BTN_EXIT",          "BTN_PLAYER_ADD",       "BTN_REPORT_STARTLIST",   "BTN_PLAYER_DELETE",
    "BTN_PLAYER_RESTORATION", "BTN_PAIRING",     "BTN_REPORT_ROUNDS",      "BTN_INPUT_RESULT",
    "BTN_REPORT_STANDINGS", "BTN_REPORT_STANDINGS_AND_CARDS", "BTN_PUBLISH"};

}  // namespace veltrun::testing
