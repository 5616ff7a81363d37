#pragma once
// The button pictures and the program's icon, drawn from the SVG resources so
// they stay crisp at any screen scale.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace veltrun::gui {

// name is the file name under data/icons without ".svg", as "pairing".
QIcon SvgIcon(const QString& name);
QPixmap SvgPixmap(const QString& name, int logicalSize, qreal devicePixelRatio);

}  // namespace veltrun::gui
