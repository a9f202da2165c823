#include "ScriptedDialogs.h"
#include "UUserDialogs.h"

#include <gtest/gtest.h>

// Each message reaches its own box, and only once; nothing to tell shows
// nothing. The real boxes are named in ScriptedDialogs.h.
TEST(Tell, ErrorGoesToTheErrorBoxAndAnythingElseToTheMessageBox) {
    TScriptedDialogs dialogs;
    Tell(dialogs, std::nullopt);
    Tell(dialogs, TFileMessage{"Invalid numeric input", true});
    Tell(dialogs, TFileMessage{"The file ends early", false});
    EXPECT_EQ(dialogs.Errors, std::vector<std::string>{"Invalid numeric input"});
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{"The file ends early"});
}
