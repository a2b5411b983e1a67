#pragma once
// Texts live inside the game as Windows-1252 bytes; this is the one place
// where they become widget text, and widget text becomes bytes again.
#include <QString>
#include <string>
#include <string_view>

QString DecodeText(std::string_view windows1252);
// Characters that Windows-1252 cannot hold become '?'.
std::string EncodeText(const QString& text);
