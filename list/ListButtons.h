#pragma once
// The list tabs' shadow buttons, kept in a file of their own: the owner-drawn controls'
// alignment names clash with the grid's.
class TControl;
class TLCRForm;
class TOwShadowButton;

TControl* ButtonControl(TOwShadowButton* Button);
// Creates the buttons of the list panels that the main window leaves out, and wires every
// list button to its handler.
void CreateListButtons(TLCRForm* F);
