// The values of the option words: each reader takes the value of its
// option into a command, where the option stands, or reports why it cannot.
#ifndef TOLLIVEX_CLI_OPTION_VALUES_H_
#define TOLLIVEX_CLI_OPTION_VALUES_H_

#include <string>

#include "cli/command.h"

bool readSeed(const char* text, Command* command);
bool readFill(const char* text, Command* command);
bool readPin(const char* text, Command* command);
bool readCheck(const char* text, Command* command);
bool readCrcModel(const char* text, Command* command);
bool readErased(const char* text, Command* command);
bool readOutput(const char* text, Command* command);
bool readRecordLength(const char* text, Command* command);
bool readAddressSize(const char* text, Command* command);
bool readEntry(const char* text, Command* command);
bool readThreads(const char* text, Command* command);
bool readAlign(const char* text, Command* command);
bool readWidth(const char* text, Command* command);
bool readHeader(const char* text, Command* command);

// Reports a -crc value that cannot be read or placed.
void reportBadCheck(const std::string& text);

// Gives each check of image the kind its text names, among the built-in
// ones and the models of the line; reports the first that names none.
bool resolveCheckKinds(ImageSpec* image);

// Reports a -pin value that cannot be read or placed.
void reportBadPin(const std::string& text);

#endif  // TOLLIVEX_CLI_OPTION_VALUES_H_
