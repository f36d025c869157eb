#pragma once
// The windows are laid out in three Windows faces: "Times New Roman",
// "Tahoma" and "MS Sans Serif", at sizes given in pixels. Times New Roman
// comes from fontconfig's alias to Liberation Serif (metric twin); the other
// two are Wine's faces, which Debian installs outside fontconfig's path, so
// they are registered here.

#include <QFont>
#include <QString>

inline const QString TimesNewRoman = QStringLiteral("Times New Roman");

// Registers the Tahoma and MS Sans Serif faces with the application.
// Call once after the QGuiApplication exists; missing files are skipped and
// the toolkit's substitute is used instead.
void RegisterWindowsFonts();

// The face `family` at `pixelSize` pixels.
QFont PixelFont(const QString& family, int pixelSize, bool bold = false, bool underline = false);

// Times New Roman at `pixelSize` pixels, the face of most texts.
QFont TimesFont(int pixelSize, bool bold = false, bool underline = false);
