// The fixture the window suites share: the main window as a user finds it after start-up, shown
// on the offscreen screen. Each suite derives its own fixture with the helpers it needs.
#pragma once

#include "ui/Unit1.h"

#include <QTest>
#include <memory>

struct ShownWindow {
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    ShownWindow() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    TForm1* operator->() const { return form.get(); }
};
