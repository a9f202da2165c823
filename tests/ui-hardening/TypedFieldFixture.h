// The pipe-drain field typed into the Input page, the starting point of the
// hardening tests that then make a file command fail.
#pragma once

#include "../ui/UiFixture.h"

class TTypedFieldTest : public TMainFormTest {
protected:
    void TypeField() {
        ShowPage(form->Input);
        TypeTable(PipeDrainField());
        EnterSiteConstants("1.1", "5", "20", "0.05");
        dialogs.Messages.clear();
    }
};
