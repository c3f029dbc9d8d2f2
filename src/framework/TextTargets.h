#pragma once
// How a text from the language library goes into a component, by its class. Controls of layers
// above this one (the graphic button) register themselves as taking "caption|hint" texts.
#include <string>

#include "ui/Component.h"

namespace framework {

using ComponentTest = bool (*)(const ui::TComponent*);

// Registers a class test; returns true so that it can initialise a static.
bool RegisterCaptionHintClass(ComponentTest test);
// Speed buttons and every registered class.
bool TakesCaptionAndHint(const ui::TComponent* component);
// Buttons, labels and check boxes, which take a text as their caption.
bool TakesCaption(const ui::TComponent* component);

// Columns captioned by the texts first, first + 1, ... (empty where the library has none).
void SetColumnCaptions(ui::TComponent* component, int first);

// Caption before the first "|", hint after it; an empty hint is the caption.
void SplitCaptionAndHint(const std::u16string& text, std::u16string& caption, std::u16string& hint);

}  // namespace framework
