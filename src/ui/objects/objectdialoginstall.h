#pragma once

class QWidget;

namespace dayloom {

// Puts the program's dialogs behind the page objects' dialog hooks
// (ObjectDialogs()), centred over the parent.
void InstallObjectDialogs(QWidget* parent);

}  // namespace dayloom
