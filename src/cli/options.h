// The option words, and what each does to a command: every value is read
// where its option stands.
#ifndef TOLLIVEX_CLI_OPTIONS_H_
#define TOLLIVEX_CLI_OPTIONS_H_

#include "cli/command.h"

// What --help, -h, --version and --profiles ask for.
enum class Answer { kNone, kHelp, kVersion, kProfiles };

// Whether arg asks for the help or the version, matched as option words
// are.
Answer answerWord(const char* arg);

// An option that takes the next argument as its value, and what reads it
// into a command, reporting a bad one.
struct ValueOption {
  const char* word;
  bool (*read)(const char* value, Command* command);
};

// The value option whose word is arg, ignoring ASCII case, or null.
const ValueOption* findValueOption(const char* arg);

// Applies arg to command when it is an option word without a value; false
// otherwise.
bool applyFlag(const char* arg, Command* command);

// Whether arg is one of the option words, matched as the scan matches them.
bool isOptionWord(const char* arg);

// Reports a -crc value that cannot be read or placed.
void reportBadCheck(const std::string& text);

// Gives each check of image the kind its text names, among the built-in
// ones and the models of the line; reports the first that names none.
bool resolveCheckKinds(ImageSpec* image);

// Reports a -pin value that cannot be read or placed.
void reportBadPin(const std::string& text);

#endif  // TOLLIVEX_CLI_OPTIONS_H_
