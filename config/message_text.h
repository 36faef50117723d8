#pragma once
// A message that carries data, kept apart until it is shown: a template
// marked with N_ (config/translatable.h), where each "%s" stands for the next
// piece of data, and the data. Whoever shows it looks the template up first
// and fills it after, so a translation keeps the paths and reasons. A piece
// of data is itself a message (a fixed phrase to translate too) or verbatim
// text (a path, the system's reason), which is never looked up.

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct MessageText {
    MessageText() = default;
    MessageText(const char* format, std::vector<MessageText> data = {})
        : format(format), data(std::move(data)) {}
    static MessageText Verbatim(std::string text) {
        MessageText verbatim;
        verbatim.format = std::move(text);
        verbatim.verbatim = true;
        return verbatim;
    }

    std::string format;
    std::vector<MessageText> data;
    bool verbatim = false;
};

// The message with its data in place; `translate` (when given) looks up each
// template first. A text without data is never filled, so a '%' in it stays.
inline std::string ComposeMessage(const MessageText& text,
                                  const std::function<std::string(const std::string&)>& translate = {}) {
    if (text.verbatim) return text.format;
    const std::string format = translate ? translate(text.format) : text.format;
    if (text.data.empty()) return format;
    std::string out;
    std::size_t next = 0, at = 0;
    for (std::size_t mark; (mark = format.find("%s", at)) != std::string::npos; at = mark + 2) {
        out.append(format, at, mark - at);
        if (next < text.data.size()) out += ComposeMessage(text.data[next++], translate);
    }
    return out.append(format, at, std::string::npos);
}
