#pragma once

// Helpers of the window tests: per-user folders in a scratch folder, the texts of controls,
// the window manager's close, and work done inside a modal dialog once it runs.

#include <QComboBox>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "app/core/scripted_ui.h"

namespace kyrovane::test {

// Points the per-user configuration, cache and data folders at a fresh scratch folder for
// the lifetime of the object, so that no test touches the real home folder.
class GuiScratch {
 public:
  GuiScratch();
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

QStringList Items(const QComboBox* box);
// Chooses an item as the user does: the box shows it and reports it activated.
void Choose(QComboBox* box, int index);
// The texts of the push buttons under `window`, in the order they were made.
QStringList ButtonTexts(const QWidget* window);

// Closes a shown window as the window manager's close button and Alt+F4 do.
void CloseFromWindowManager(QWidget* window);

// Runs `action` with the next modal dialog once its own event loop runs.
void WhenModal(std::function<void(QWidget*)> action);

}  // namespace kyrovane::test
