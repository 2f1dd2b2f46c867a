// A control placed on a form of a fresh emulated desktop, with recording stand-ins for the web view and
// the tree; every call and event goes to one log. Drive C: is mounted.
#pragma once
#include "components/PipitIconMenu/ChoiceBoxReader.h"
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
        // The choice box is the real one on this desktop: what it shows goes into the same log when the
        // script's user acts on it.
        desk.Log().SetObserver([this](const emu::Record& r) {
            if (r.kind != "Dialog") return;
            if (auto line = choicebox::Line(GetActiveWindow())) log.push_back("Choice.Ask " + *line);
        });
    }
    // The user's next actions at the choice box ("press CAPTION", ...; nullptr: none, so it is closed).
    void AnswerChoices(std::initializer_list<const char*> actions) {
        for (const char* a : actions)
            if (a) desk.Answers().Push("Dialog", emu::Answer{0, a});
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
