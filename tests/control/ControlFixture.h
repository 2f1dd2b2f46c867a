// A control placed on a form of a fresh emulated desktop, with recording stand-ins for the web view, the
// tree and the choice box; every call and event goes to one log. Drive C: is mounted.
#pragma once
#include "control/VireoBrowser.h"
#include "fakes/Recorder.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include <gtest/gtest.h>

class ControlFixture : public ::testing::Test {
protected:
    ControlFixture() {
        desk.Files().MountScratch('C');
        container.parent = CreateWindowExA(0, "Static", "Form", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                           nullptr, nullptr, nullptr);
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        control->SetEvents(&events);
        // The choice box the user answers is the desktop's; it goes into the same log.
        desk.Log().SetObserver([this](const emu::Record& r) {
            if (r.kind != "ChoiceBox") return;
            std::string line = "Choice.Ask";
            for (size_t i = 0; i < 7; ++i)
                line += (i ? " | " : " ") + r.fields[i];
            log.push_back(line);
        });
    }
    // The user's next answers to the choice box (-1: the box is closed without a button).
    void AnswerChoices(std::initializer_list<int> buttons) {
        for (int b : buttons)
            if (b >= 0) desk.Answers().Push("ChoiceBox", emu::Answer{b, ""});
    }
    ~ControlFixture() override {
        desk.Log().SetObserver(nullptr);
        control.reset();
        DestroyWindow(container.parent);
    }

    fakes::Log log;
    emu::Desktop desk;
    fakes::FakeContainer container{log};
    fakes::EventLog events{log};
    vireo::RefPtr<vireo::VireoBrowser> control;
};
