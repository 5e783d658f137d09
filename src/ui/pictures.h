#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace money {

// The program's pictures, drawn at run time: nothing is read from image files, so the executable alone
// is a complete installation.

// The splash window's picture: the title over a field of rice ears and coins.
QPixmap SplashPicture(QSize size);
// The banner across the top of the login dialog.
QPixmap LoginBanner(QSize size);
// The main window's background behind the child windows.
QPixmap BackgroundPicture(QSize size);
// The program's window icon.
QIcon ProgramIcon();
// A command icon: one character on a rounded tile of the given colour, in the sizes of both bar looks.
QIcon GlyphIcon(const QString& glyph, const QColor& colour);
// The record-navigation icons by command name ("First", "Prior", "Next", "Last", "Refresh").
QIcon NavigatorIcon(const QString& name);

}  // namespace money
