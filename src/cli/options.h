// The option table: every option word, what it does, and its --help row.
#ifndef TOLLIVEX_CLI_OPTIONS_H_
#define TOLLIVEX_CLI_OPTIONS_H_

#include <string>
#include <vector>

#include "cli/command.h"

// What --help, -h, --version and --profiles ask for.
enum class Answer { kNone, kHelp, kVersion, kProfiles };

// A row of the option table: the words the parser takes, each with its row
// of --help, in the order of the help.  The completion reads the help, and
// the suggestions the words, so every word comes from here (the formats'
// from the format table, the profiles' from the profile table).
struct Option {
  enum class Kind {
    kFlag,      // A word alone: apply.
    kValue,     // A word and the next argument: read.
    kFormat,    // The format table's word for format.
    kProfiles,  // Every profile's word.
    kAnswer,    // A word that asks for answer.
    kEnd,       // "--": the end of the options.
  };
  Kind kind;
  const char* word;   // Null for a format's and the profiles'.
  const char* value;  // The name of a value in --help ("N").
  // The --help text; null when the word shares the next row's.  "{kinds}"
  // and "{profiles}" stand for the lists of the kinds and profiles.
  const char* help;
  unsigned width;  // Of the lines the help text wraps to.
  void (*apply)(Command* command);
  bool (*read)(const char* value, Command* command);
  ImageFormat format;
  Answer answer;
};

// The table, in the order of the help.
const std::vector<Option>& optionTable();

// The word of an option row: "-seed", "-ihex", "-PROFILE" for the
// profiles' row.
std::string optionWord(const Option& option);

// Every word the parser takes as an option, in the order of the help, the
// profiles' in their row's place; "--" is none.
std::vector<std::string> optionWords();

// Whether arg asks for the help or the version, matched as option words
// are.
Answer answerWord(const char* arg);

// The value option whose word is arg, ignoring ASCII case, or null.
const Option* findValueOption(const char* arg);

// Applies arg to command when it is an option word without a value; false
// otherwise.
bool applyFlag(const char* arg, Command* command);

// Whether arg is one of the option words, matched as the scan matches them.
bool isOptionWord(const char* arg);

#endif  // TOLLIVEX_CLI_OPTIONS_H_
