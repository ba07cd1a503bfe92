#pragma once
// Helpers that place the window's controls at their design positions
// (pixels at 96 dpi, relative to the parent) with the window's fonts.
#include <QFont>
#include <QString>

class QGroupBox;
class QLabel;
class QWidget;

namespace orbiton::ui {

class TEdit;

// The page area of the design: it holds every group of every page, the
// one on the right of the page "Grafik" (510 + 283 and 15 + 490 pixels)
// with the margins of its neighbours.
inline constexpr int designPageWidth = 808;
inline constexpr int designPageHeight = 512;

// "Arial" in the given pixel size, or the closest font the system has.
QFont arialFont(int pixelSize, bool bold);
// The window's own font: "MS Sans Serif" bold 11 pixels or the closest.
QFont windowFont();

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title, int x, int y, int width, int height);
// A label sized to its text.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y);
// A small label for the subscript of a symbol placed at x, y.
QLabel* makeSubscript(QWidget* parent, const char* name, const QString& text, int x, int y);
// An edit with the default text and typed-length limit of its field (if it
// is a numeric field).
TEdit* makeEdit(QWidget* parent, const char* name, int x, int y, int width, int height = 21);

}  // namespace orbiton::ui
