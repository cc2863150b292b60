// The msdev program's answers file, as the text the program reads from it (ParseAnswers): never an
// exception, whatever the bytes. A refusal is "line <n>: <what>" with n a line of the input, and
// that line alone is refused for the same reason (so the number names the line at fault); the
// stages given are left as they were. An accepted file parses the same twice, every stage and
// answer names a line of the input, and that line alone parses to the same `run` or answer.
#include <string>
#include <string_view>
#include <vector>

#include "answers.h"
#include "harness.h"

namespace {

using msdev_program::ParseAnswers;
using msdev_program::Stage;
using msdev_program::UserAction;
using msdev_program::UserAnswer;

// The lines as the reader counts them: split at '\n', one '\r' before it dropped.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool Same(const UserAction& a, const UserAction& b) { return a.kind == b.kind && a.id == b.id && a.text == b.text; }

bool Same(const UserAnswer& a, const UserAnswer& b, bool withLine) {
  if ((withLine && a.line != b.line) || a.kind != b.kind || a.leave != b.leave || a.result != b.result ||
      a.text != b.text || a.actions.size() != b.actions.size())
    return false;
  for (size_t i = 0; i < a.actions.size(); ++i)
    if (!Same(a.actions[i], b.actions[i])) return false;
  return true;
}

bool Same(const std::vector<Stage>& a, const std::vector<Stage>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].line != b[i].line || a[i].command != b[i].command || a[i].answers.size() != b[i].answers.size())
      return false;
    for (size_t j = 0; j < a[i].answers.size(); ++j)
      if (!Same(a[i].answers[j], b[i].answers[j], true)) return false;
  }
  return true;
}

// The number and reason of a refusal "line <n>: <what>"; n is 0 when the message has not that form.
int RefusedLine(const std::string& error, std::string& what) {
  if (error.rfind("line ", 0) != 0) return 0;
  size_t at = 5;
  int number = 0;
  while (at < error.size() && at < 15 && error[at] >= '0' && error[at] <= '9') number = number * 10 + (error[at++] - '0');
  if (at == 5 || error.compare(at, 2, ": ") != 0 || error.size() == at + 2) return 0;
  what = error.substr(at + 2);
  return number;
}

// The stages a line alone parses to, or a finding if it is refused.
std::vector<Stage> ParseAlone(std::string_view line, const std::string& why) {
  std::vector<Stage> stages;
  std::string error;
  bool accepted = false;
  fuzz::MustSucceed([&] { accepted = ParseAnswers(line, stages, &error); }, "ParseAnswers threw on one line");
  fuzz::Check(accepted, why + ": " + error);
  return stages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string_view> lines = Lines(text);

  // What the caller holds before: a refusal must leave it.
  const std::vector<Stage> before = {{7, "Before", {}}};
  std::vector<Stage> stages = before;
  std::string error;
  bool accepted = false;
  fuzz::MustSucceed([&] { accepted = ParseAnswers(text, stages, &error); }, "ParseAnswers threw");

  if (!accepted) {
    fuzz::Check(Same(stages, before), "a refusal changed the stages given");
    std::string what;
    const int number = RefusedLine(error, what);
    fuzz::Check(number >= 1 && static_cast<size_t>(number) <= lines.size(),
                "a refusal that names no line of the input: " + error);
    std::vector<Stage> alone;
    std::string aloneError;
    bool aloneAccepted = true;
    fuzz::MustSucceed([&] { aloneAccepted = ParseAnswers(lines[number - 1], alone, &aloneError); },
                      "ParseAnswers threw on one line");
    fuzz::Check(!aloneAccepted && aloneError == "line 1: " + what,
                "the line a refusal names is not the one at fault: " + error + " / alone: " + aloneError);
    return 0;
  }

  int last = 0;
  for (size_t i = 0; i < stages.size(); ++i) {
    const Stage& stage = stages[i];
    if (stage.line == 0) {
      // The opening of the workspace: only first, with no command, and only for answers before any run.
      fuzz::Check(i == 0 && stage.command.empty() && !stage.answers.empty(), "an opening stage out of place");
    } else {
      fuzz::Check(stage.line > last && static_cast<size_t>(stage.line) <= lines.size(),
                  "a run on no line of the input, or out of order");
      const std::vector<Stage> alone = ParseAlone(lines[stage.line - 1], "a run's line alone is refused");
      fuzz::Check(alone.size() == 1 && alone[0].command == stage.command && alone[0].answers.empty(),
                  "a run's line alone names another command: " + stage.command);
      last = stage.line;
    }
    for (const UserAnswer& answer : stage.answers) {
      fuzz::Check(answer.line > last && static_cast<size_t>(answer.line) <= lines.size(),
                  "an answer on no line of the input, or out of order");
      const std::vector<Stage> alone = ParseAlone(lines[answer.line - 1], "an answer's line alone is refused");
      fuzz::Check(alone.size() == 1 && alone[0].answers.size() == 1 && Same(alone[0].answers[0], answer, false),
                  "an answer's line alone gives another answer");
      fuzz::Check(answer.kind == "Dialog" || answer.actions.empty(), "actions in a modal that is no dialog");
      last = answer.line;
    }
  }

  std::vector<Stage> again;
  std::string againError;
  bool againAccepted = false;
  fuzz::MustSucceed([&] { againAccepted = ParseAnswers(text, again, &againError); }, "ParseAnswers threw the second time");
  fuzz::Check(againAccepted && Same(again, stages), "a second read gives other stages: " + againError);
  return 0;
}
