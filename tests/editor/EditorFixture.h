// SPDX-License-Identifier: MIT
#pragma once

#include "editor/ValidationTip.h"
#include "fakes/FakeServices.h"
#include "model/AppData.h"
#include "widgets/Fonts.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

// An AppData in a temporary directory, fake services with the clock at
// Tuesday 2026-03-10 12:00:30, and message boxes answered by the test.
class EditorFixture : public ::testing::Test
{
protected:
    static DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
    {
        return DateTime::FromParts(y, mo, d, h, mi, s);
    }

    void SetUp() override
    {
        InstallFontSubstitutions();
        fakes.clock.Set(at(2026, 3, 10, 12, 0, 30));
        MessageBoxes::SetAnswerer([this](const MessageBoxes::Request &request) {
            boxes.push_back(request);
            return answer;
        });
    }
    void TearDown() override { MessageBoxes::SetAnswerer({}); }

    template<class T> static T *child(const QObject *parent, const char *name)
    {
        T *found = parent->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no child " << name;
        return found;
    }

    // Types `text` the way an input method delivers it, one character per
    // key event (QTest's key clicks know ASCII only).
    static void typeText(QWidget *widget, const QString &text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }

    // The tip of `owner` when it shows, under `control`, with `text`.
    static void expectTip(const QWidget *owner, const QWidget *control, const QString &text)
    {
        auto *tip = owner->findChild<ValidationTip *>();
        ASSERT_NE(tip, nullptr);
        ASSERT_TRUE(tip->isVisible());
        EXPECT_EQ(tip->text(), text);
        EXPECT_EQ(tip->control(), control);
        EXPECT_EQ(tip->pos(), control->mapToGlobal(QPoint(0, control->height() + 5))); // five pixels below
        const QWidget *focus = owner->window()->focusWidget();
        EXPECT_TRUE(focus == control || control->isAncestorOf(focus));
    }

    QTemporaryDir dir;
    AppData data {dir.path()};
    FakeServices fakes;
    Services services = fakes.services();
    std::vector<MessageBoxes::Request> boxes;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
};
