#pragma once
// Text read from files is shown as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise.

#include <QString>
#include <string>

char16_t Cp1252ToUnicode(unsigned char b);
QString DecodeText(const std::string& bytes);
