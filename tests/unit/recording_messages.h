// A message box that records what it was asked to show, for tests.
#pragma once

#include <string>
#include <vector>

struct ShownMessage {
    std::u16string title;
    std::u16string text;
};

std::vector<ShownMessage>& ShownMessages();
