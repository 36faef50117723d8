#pragma once
// What the Maps tab remembers for a map in config.csv: the map class, and
// whether runs on the map mark their models and replace an earlier run's.
// The flags follow the class name after further vertical bars
// ("demo|mark|replace"), and only when set, so older entries read as before.

#include <string>

struct RememberedChoice {
    std::string mapClass;
    bool mark = false;
    bool replace = false;
};

RememberedChoice ParseRememberedChoice(const std::string& value);
std::string FormatRememberedChoice(const RememberedChoice& choice);
