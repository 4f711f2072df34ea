// The fixture the window suites share: the main window as a user finds it after start-up, shown
// on the offscreen screen. Each suite derives its own fixture with the helpers it needs.
#pragma once

#include "ui/Unit1.h"

#include <QTest>
#include <memory>

struct ShownWindow {
    // Exposed is enough for painting and mouse events; keys need the window active.
    enum class TWaitFor { Exposed, Active };

    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    explicit ShownWindow(TWaitFor waitFor = TWaitFor::Exposed) {
        form->show();
        if (waitFor == TWaitFor::Active) {
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form.get()));
        } else {
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        }
    }
    TForm1* operator->() const { return form.get(); }
};
