// The module's commands, registered under the group VESTRA.
#pragma once

void KzDimDialogCommand();    // KZ_DIM_DIALOG: the command palette
void KzDimMakeCommand();      // KZ_DIM_MAKE: route dimensions
void KzDimMoveCommand();      // KZ_DIM_MOVE: a route length through its dimension
void KzDimEditTextCommand();  // KZ_DIM_EDITTEXT: move dimension texts
void KzDimEditXLineCommand(); // KZ_DIM_EDITXLINE: align extension lines
void KzDimConfigCommand();    // KZ_DIM_CONFIG: the settings dialog
void KzDimHandleCommand();    // KZ_DIM_HANDLE: select what a link list names

// Registers the seven commands in table order.
void RegisterKzCommands();
