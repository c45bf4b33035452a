#pragma once
// Styling a drawn annotation: what its layer, its styles and its colours give the display lists
// it drew, kept on the lists' attribute stacks (SMxAttributes) so that a later styling can clean
// them off and apply others without drawing again.
class DUxLayerStyleAbstract;
class DUxLeaderStyleWrapper;
class DUxTextStyleWrapper;
class SMxColor;
class SMxDisplayItem;
class SMxDisplayList;

class DUxSceneUtil {
public:
    // The layer's colour for everything the list draws, in place of the layer it had.
    static void DLItemSetLayerStyle(SMxDisplayList& list, const DUxLayerStyleAbstract& layer);
    // A style's look (colour, line weight, line type) for everything the list draws, in place
    // of the style it had.
    static void DLItemSetStyle(SMxDisplayList& list, const DUxLayerStyleAbstract& style);
    static void DLItemSetStyle(SMxDisplayList& list, const DUxLeaderStyleWrapper& style);
    static void DLItemSetStyle(SMxDisplayList& list, const DUxTextStyleWrapper& style);
    // A colour for everything the list draws, in place of its style; on an item, the item's
    // styled colour (a child item: its list's).
    static void DLItemSetColor(SMxDisplayList& list, const SMxColor& color);
    static void DLItemSetColor(SMxDisplayItem& item, const SMxColor& color);
    // Takes off what styling put on: the list's layer and style entries (a highlight stays); an
    // item's styled colour (a child item: its list's entries). Nested lists are not visited.
    // Shows a selected annotation's list in the highlight colour, or stops doing so.
    static void DLItemProcessHilite(SMxDisplayList& list, bool highlight);
    static void CleanAttrStackForLayers(SMxDisplayList& list);
    static void CleanAttrStackForLayers(SMxDisplayItem& item);
};
