#pragma once
// JPEG pictures decoded with libjpeg.

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a whole JPEG file held in memory; a null image when the data is not
// a JPEG picture or is damaged (the library's errors never end the program).
QImage DecodeJpeg(const QByteArray& data);

// Reads a JPEG picture of the resources (":/pictures/...") and decodes it.
QImage LoadJpegResource(const QString& path);
