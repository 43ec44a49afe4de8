// UTF-8 at the console program's edges: what it writes to a pipe or a file,
// and the list files it reads.
#pragma once
#include <string>

std::string Utf8(const std::u16string& text);
// A malformed sequence becomes U+FFFD, so a list file of another encoding
// names paths that do not exist rather than stopping the read.
std::u16string FromUtf8(const std::string& bytes);
