#pragma once
// The model options a map class reaches, in the order placement uses them:
// its texture options in list order, each one's model class names in order,
// each class's options in list order.

#include <string>
#include <type_traits>

#include "config/catalogue.h"

// Calls visit(texture, className, model) for each, where className is the
// catalogue's own key (it outlives the call). Names the catalogue does not
// hold add nothing and are not entered into it. A visit that returns bool
// ends the walk by returning false.
template <class Visit>
void ForEachModelOption(const Catalogue& catalogue, const std::string& mapClassName, Visit visit) {
    const auto mapClass = catalogue.mapClasses.find(mapClassName);
    if (mapClass == catalogue.mapClasses.end()) return;
    for (const TextureOption& texture : mapClass->second) {
        for (const std::string& className : texture.modelClassNames) {
            const auto modelClass = catalogue.modelClasses.find(className);
            if (modelClass == catalogue.modelClasses.end()) continue;
            for (const ModelOption& model : modelClass->second) {
                if constexpr (std::is_same_v<decltype(visit(texture, modelClass->first, model)), bool>) {
                    if (!visit(texture, modelClass->first, model)) return;
                } else {
                    visit(texture, modelClass->first, model);
                }
            }
        }
    }
}
