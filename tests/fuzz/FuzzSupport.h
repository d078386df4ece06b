#pragma once
// What the fuzz targets share: the one Qt application the readers need (pages are widgets and
// fonts need the GUI), and a file to hand the input to readers that open files by name.

#include <QString>

#include <cstddef>
#include <cstdint>

// Creates the application on the first call, on the offscreen platform unless one is set.
void EnsureFuzzApplication();

// Writes the input to a file in a folder of this process, under `fileName`, and returns its path.
QString WriteFuzzInput(const uint8_t* data, size_t size, const QString& fileName);
