#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/ConfigurationList.h"

namespace {

// Records are told apart by name and, for equal names, by their IP address.
struct Named {
    std::string name;
    std::string ip;
};

ConfigurationList MakeList(const std::vector<Named>& records) {
    ConfigurationList list;
    for (const Named& named : records) {
        EXPECT_TRUE(list.Append(MakeRecord({named.name, false, named.ip})));
    }
    return list;
}

std::vector<RecordTexts> Expected(const std::vector<Named>& records) {
    std::vector<RecordTexts> texts;
    for (const Named& named : records) {
        texts.push_back({named.name, false, named.ip});
    }
    return texts;
}

std::string OverwriteQuestion(const std::string& name) {
    return "The name " + name + " is already in use.\nDo you want to overwrite?";
}

const std::string kLongName(127, 'n');

TEST(ConfigurationListTest, AddAppendsOrReplacesByExactName) {
    struct Row {
        const char* what;
        std::vector<Named> before;
        Named added;
        std::vector<bool> answers;
        bool asked;
        bool stored;
        std::vector<Named> after;
    };
    const Row rows[] = {
        {"empty list", {}, {"Office", "new"}, {}, false, true, {{"Office", "new"}}},
        {"yes moves the replacement to the end",
         {{"Home", "1"}, {"Office", "2"}, {"Lab", "3"}},
         {"Office", "new"},
         {true},
         true,
         true,
         {{"Home", "1"}, {"Lab", "3"}, {"Office", "new"}}},
        {"no leaves the list unchanged",
         {{"Home", "1"}, {"Office", "2"}, {"Lab", "3"}},
         {"Office", "new"},
         {false},
         true,
         false,
         {{"Home", "1"}, {"Office", "2"}, {"Lab", "3"}}},
        {"case makes another name",
         {{"Office", "1"}},
         {"office", "new"},
         {},
         false,
         true,
         {{"Office", "1"}, {"office", "new"}}},
        {"a trailing blank makes another name",
         {{"Office", "1"}},
         {"Office ", "new"},
         {},
         false,
         true,
         {{"Office", "1"}, {"Office ", "new"}}},
        {"of two equal names only the first is replaced",
         {{"Lab", "1"}, {"Home", "2"}, {"Lab", "3"}},
         {"Lab", "new"},
         {true},
         true,
         true,
         {{"Home", "2"}, {"Lab", "3"}, {"Lab", "new"}}},
        {"insertion order, not name order",
         {{"Zeta", "1"}},
         {"Alfa", "new"},
         {},
         false,
         true,
         {{"Zeta", "1"}, {"Alfa", "new"}}},
        {"a name of 127 characters is asked about whole",
         {{kLongName, "1"}},
         {kLongName, "new"},
         {true},
         true,
         true,
         {{kLongName, "new"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ConfigurationList list = MakeList(row.before);
        ScriptedPrompts prompts;
        prompts.answers.assign(row.answers.begin(), row.answers.end());
        const bool stored =
            AddConfiguration(list, MakeRecord({row.added.name, false, row.added.ip}), prompts);

        EXPECT_EQ(stored, row.stored);
        EXPECT_EQ(TextsOf(list), Expected(row.after));
        ASSERT_EQ(prompts.questions.size(), row.asked ? 1u : 0u);
        if (row.asked) {
            EXPECT_EQ(prompts.questions[0].text, OverwriteQuestion(row.added.name));
            EXPECT_EQ(prompts.questions[0].title, "Warning");
        }
        EXPECT_FALSE(list.Busy());
    }
}

TEST(ConfigurationListTest, FindGivesTheFirstExactMatch) {
    const ConfigurationList list = MakeList({{"Lab", "1"}, {"Home", "2"}, {"Lab", "3"}});
    struct Row {
        const char* name;
        const char* ip;  // null: nothing found
    };
    const Row rows[] = {{"Lab", "1"},      {"Home", "2"}, {"lab", nullptr},
                        {"Lab ", nullptr}, {"", nullptr}, {"Office", nullptr}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Configuration* found = FindConfigurationByName(list, row.name);
        if (!row.ip) {
            EXPECT_EQ(found, nullptr);
            continue;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_STREQ(found->ipAddress, row.ip);
    }
}

TEST(ConfigurationListTest, DeleteAsksAndRemovesTheFirstMatch) {
    struct Row {
        const char* name;
        std::vector<bool> answers;
        bool removed;
        std::vector<Named> after;
    };
    const Row rows[] = {
        {"Lab", {true}, true, {{"Home", "2"}, {"Lab", "3"}}},
        {"Lab", {false}, false, {{"Lab", "1"}, {"Home", "2"}, {"Lab", "3"}}},
        {"Home", {true}, true, {{"Lab", "1"}, {"Lab", "3"}}},
        {"Office", {}, false, {{"Lab", "1"}, {"Home", "2"}, {"Lab", "3"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.name << " " << row.answers.size());
        ConfigurationList list = MakeList({{"Lab", "1"}, {"Home", "2"}, {"Lab", "3"}});
        ScriptedPrompts prompts;
        prompts.answers.assign(row.answers.begin(), row.answers.end());

        EXPECT_EQ(DeleteConfigurationByName(list, row.name, prompts), row.removed);

        EXPECT_EQ(TextsOf(list), Expected(row.after));
        ASSERT_EQ(prompts.questions.size(), row.answers.size());
        if (!row.answers.empty()) {
            EXPECT_EQ(prompts.questions[0].text,
                      std::string("You're goy to delete the configuration ") + row.name +
                          "\nDo you want to continue?");
            EXPECT_EQ(prompts.questions[0].title, "Warning");
        }
    }
}

// While a question is open the list keeps a position in it: every other
// operation must refuse to start, and the answer still applies as asked.
TEST(ConfigurationListTest, NothingStartsWhileAQuestionIsOpen) {
    for (const bool deleting : {false, true}) {
        SCOPED_TRACE(deleting ? "delete question" : "overwrite question");
        ConfigurationList list = MakeList({{"Home", "1"}, {"Office", "2"}, {"Lab", "3"}});
        ScriptedPrompts prompts;
        prompts.answers = {true};
        prompts.whileAsking = [&] {
            prompts.whileAsking = nullptr;
            EXPECT_TRUE(list.Busy());
            EXPECT_FALSE(AddConfiguration(list, MakeRecord({"Other", false, "x"}), prompts));
            EXPECT_FALSE(AddConfiguration(list, MakeRecord({"Home", false, "x"}), prompts));
            EXPECT_FALSE(DeleteConfigurationByName(list, "Home", prompts));
            EXPECT_EQ(FindConfigurationByName(list, "Home"), nullptr);
            EXPECT_FALSE(list.Append(MakeRecord({"Other", false, "x"})));
            EXPECT_EQ(list.Size(), 3u);
        };

        if (deleting) {
            EXPECT_TRUE(DeleteConfigurationByName(list, "Office", prompts));
        } else {
            EXPECT_TRUE(AddConfiguration(list, MakeRecord({"Office", false, "new"}), prompts));
        }

        EXPECT_FALSE(list.Busy());
        EXPECT_EQ(prompts.questions.size(), 1u);
        std::vector<Named> after = {{"Home", "1"}, {"Lab", "3"}};
        if (!deleting) after.push_back({"Office", "new"});
        EXPECT_EQ(TextsOf(list), Expected(after));
        EXPECT_NE(FindConfigurationByName(list, "Home"), nullptr);
    }
}

}  // namespace
