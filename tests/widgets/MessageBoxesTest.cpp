// SPDX-License-Identifier: MIT
#include "widgets/MessageBoxes.h"

#include <gtest/gtest.h>

TEST(MessageBoxes, AnswererStandsInForTheUser)
{
    std::vector<MessageBoxes::Request> asked;
    MessageBoxes::SetAnswerer([&](const MessageBoxes::Request &r) {
        asked.push_back(r);
        return asked.size() == 1 ? QMessageBox::Yes : QMessageBox::No;
    });
    EXPECT_TRUE(MessageBoxes::ConfirmWarning(nullptr, QStringLiteral(u"删除?")));
    EXPECT_FALSE(MessageBoxes::ConfirmWarning(nullptr, QStringLiteral(u"删除?")));
    MessageBoxes::SetAnswerer({});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].icon, QMessageBox::Warning);
    EXPECT_EQ(asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(asked[0].text, QStringLiteral(u"删除?"));
}
