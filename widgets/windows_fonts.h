#pragma once
// The windows are laid out in the faces of the old desktop: "Times New Roman",
// "Tahoma" and "MS Sans Serif". Times New Roman comes from fontconfig's alias
// to Liberation Serif (metric twin); the other two are Wine's faces, which
// Debian installs outside fontconfig's path, so they are registered here.

// Registers the Tahoma and MS Sans Serif faces with the application.
// Call once after the QGuiApplication exists; missing files are skipped and
// the toolkit's substitute is used instead.
void RegisterWindowsFonts();
