#pragma once

namespace dayloom {

class ComponentRegistry;

// Registers the page-object classes (TGGraphicControl, TGBaseLabel,
// TGPLabel, TGPRichBaseLabel, TGFlatCalendar, TGImage, TGSuperText) with their published
// properties in stream order. Registering twice with the same registry does
// nothing the second time.
void RegisterPageObjectClasses(ComponentRegistry& registry);

}  // namespace dayloom
