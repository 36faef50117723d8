#include "ui_logic/remembered_choice.h"

namespace {

// Takes "|flag" off the end of text when it is there.
bool TakeFlag(std::string& text, const std::string& flag) {
    const std::string suffix = "|" + flag;
    if (text.size() <= suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    text.erase(text.size() - suffix.size());
    return true;
}

}  // namespace

RememberedChoice ParseRememberedChoice(const std::string& value) {
    RememberedChoice choice;
    choice.mapClass = value;
    choice.replace = TakeFlag(choice.mapClass, "replace");
    choice.mark = TakeFlag(choice.mapClass, "mark");
    return choice;
}

std::string FormatRememberedChoice(const RememberedChoice& choice) {
    std::string value = choice.mapClass;
    if (choice.mark) value += "|mark";
    if (choice.replace) value += "|replace";
    return value;
}
