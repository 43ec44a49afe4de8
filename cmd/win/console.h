// Standard output and error as the console program writes them: the
// console's own UTF-16 when it is one, UTF-8 when redirected to a file or
// a pipe, so that no code page loses a letter of a path.
#pragma once
#include <string>

enum class Stream { Out, Err };

// Writes the text as it is; the caller ends its lines.
void Write(Stream stream, const std::u16string& text);
// The same for text that is UTF-8 already.
void WriteUtf8(Stream stream, const std::string& bytes);
// Whether standard input is a console a question can be asked on.
bool HasConsoleInput();
// Asks on the console; true for an answer starting with y or Y.
bool AskYesNo(const std::u16string& question);
