// The one place that tells the document every overlay object kind the program builds: how each is
// made for its record tag, recognised, and rebuilt from object data for page copies.
#pragma once

// Registers label, text field, check mark, circle, ellipse, freehand, line and rectangle with the
// document's object services. Called once at start-up (and by tests that work with the program's own kinds).
void RegisterOverlayObjectKinds();
// Takes them out again (tests that install kinds of their own).
void UnregisterOverlayObjectKinds();
