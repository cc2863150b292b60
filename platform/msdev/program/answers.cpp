// The msdev program's answers file (answers.h).
#include "answers.h"

#include <cctype>
#include <cstdlib>
#include <optional>

namespace msdev_program {
namespace {

// The words of one statement: bare words, numbers, and texts in double quotes (which may hold
// anything but a double quote); a ',' is a word of its own. A '#' outside quotes ends the line.
struct Token {
  enum Kind { kWord, kText, kComma };
  Kind kind;
  std::string value;
};

bool Tokenize(std::string_view line, std::vector<Token>& tokens, std::string& what) {
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '#') break;
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == ',') {
      tokens.push_back({Token::kComma, ","});
      ++i;
    } else if (c == '"') {
      const size_t end = line.find('"', i + 1);
      if (end == std::string_view::npos) {
        what = "a text in double quotes is not closed";
        return false;
      }
      tokens.push_back({Token::kText, std::string(line.substr(i + 1, end - i - 1))});
      i = end + 1;
    } else {
      size_t end = i;
      while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])) && line[end] != ',' &&
             line[end] != '"' && line[end] != '#')
        ++end;
      tokens.push_back({Token::kWord, std::string(line.substr(i, end - i))});
      i = end;
    }
  }
  return true;
}

std::optional<int> Number(const Token& token) {
  if (token.kind != Token::kWord || token.value.empty() || token.value.size() > 6) return std::nullopt;
  for (char c : token.value)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  return std::atoi(token.value.c_str());
}

// One answer's parts after "<kind>:", split at the commas.
bool ParsePart(const std::vector<Token>& part, UserAnswer& answer, bool last, std::string& what) {
  auto word = [&](size_t i, const char* expected) {
    return i < part.size() && part[i].kind == Token::kWord && part[i].value == expected;
  };
  auto text = [&](size_t i) { return i < part.size() && part[i].kind == Token::kText; };
  auto id = [&](size_t i) { return i < part.size() ? Number(part[i]) : std::nullopt; };
  if (part.empty()) {
    what = "an empty action";
    return false;
  }
  const std::string& verb = part[0].value;
  if (part[0].kind == Token::kWord && (verb == "press" || verb == "leave")) {
    if (!last) {
      what = "\"" + verb + "\" ends an answer: nothing may follow it";
      return false;
    }
    if (verb == "leave" && part.size() == 1) {
      answer.leave = true;
      return true;
    }
    if (verb == "press" && part.size() == 2 && id(1)) {
      answer.result = *id(1);
      return true;
    }
    what = verb == "leave" ? "\"leave\" takes nothing more" : "\"press\" takes a button id";
    return false;
  }
  if (last) {
    what = "an answer ends with \"press <id>\" or \"leave\"";
    return false;
  }
  UserAction action;
  if (word(0, "check") && part.size() == 5 && text(1) && word(2, "in") && word(3, "tree") && id(4)) {
    action = {UserAction::kCheckTreeItem, *id(4), part[1].value};
  } else if ((word(0, "click") || word(0, "tick") || word(0, "untick")) && part.size() == 2 && id(1)) {
    const UserAction::Kind kind =
        verb == "click" ? UserAction::kClick : verb == "tick" ? UserAction::kTick : UserAction::kUntick;
    action = {kind, *id(1), ""};
  } else if ((word(0, "select") || word(0, "type")) && part.size() == 4 && text(1) && word(2, "in") && id(3)) {
    action = {verb == "select" ? UserAction::kSelect : UserAction::kType, *id(3), part[1].value};
  } else if (word(0, "enter") && part.size() == 2 && text(1)) {
    answer.text = part[1].value;
    return true;
  } else {
    what = "not an action: \"" + verb + "\" (check, click, tick, untick, select, type, enter)";
    return false;
  }
  answer.actions.push_back(action);
  return true;
}

bool ParseLine(std::string_view line, int number, std::vector<Stage>& stages, std::string& what) {
  std::vector<Token> tokens;
  if (!Tokenize(line, tokens, what)) return false;
  if (tokens.empty()) return true;
  if (tokens[0].kind == Token::kWord && tokens[0].value == "run") {
    if (tokens.size() != 2 || tokens[1].kind != Token::kWord) {
      what = "\"run\" takes one command name";
      return false;
    }
    stages.push_back({number, tokens[1].value, {}});
    return true;
  }
  static const char* const kKinds[] = {"Dialog", "MessageBox", "BrowseForFolder"};
  std::string kind = tokens[0].kind == Token::kWord ? tokens[0].value : "";
  if (kind.empty() || kind.back() != ':') {
    what = "expected \"run <command>\" or \"<kind>: <answer>\"";
    return false;
  }
  kind.pop_back();
  bool known = false;
  for (const char* k : kKinds) known = known || kind == k;
  if (!known) {
    what = "not a kind of modal: \"" + kind + "\" (Dialog, MessageBox, BrowseForFolder)";
    return false;
  }
  UserAnswer answer;
  answer.line = number;
  answer.kind = kind;
  std::vector<std::vector<Token>> parts(1);
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (tokens[i].kind == Token::kComma)
      parts.emplace_back();
    else
      parts.back().push_back(tokens[i]);
  }
  for (size_t i = 0; i < parts.size(); ++i)
    if (!ParsePart(parts[i], answer, i + 1 == parts.size(), what)) return false;
  if (kind != "Dialog" && !answer.actions.empty()) {
    what = "only a dialog has controls to work";
    return false;
  }
  if (stages.empty()) stages.push_back({0, "", {}});
  stages.back().answers.push_back(answer);
  return true;
}

}  // namespace

bool ParseAnswers(std::string_view text, std::vector<Stage>& stages, std::string* error) {
  std::vector<Stage> parsed;
  int number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    std::string what;
    if (!ParseLine(line, number, parsed, what)) {
      if (error != nullptr) *error = "line " + std::to_string(number) + ": " + what;
      return false;
    }
    start = end + 1;
  }
  stages = std::move(parsed);
  return true;
}

}  // namespace msdev_program
