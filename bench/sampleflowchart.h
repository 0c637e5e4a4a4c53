#pragma once

// A large flowchart with every block kind in turn and typical parameters,
// shared by the generator and project benchmarks.

#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"

namespace talvex::bench {

inline void FillFlowchart(FlowList& flowchart, int blocks)
{
    flowchart.ClearFlowchart();
    flowchart.BuildNewFlowchart();
    std::vector<int> items;
    for (const BlockInfo& info : BlockCatalog())
        if (info.isBlock)
            items.push_back(info.item);
    for (int i = 0; i < blocks; ++i) {
        const int item = items[static_cast<size_t>(i) % items.size()];
        flowchart.AppendBlock(item);
        CtrlNode node = NewCtrlNode(item);
        for (const ParamSpec& param : FindPaletteItem(item)->params) {
            if (param.cls == ParamClass::Integer)
                AddIntParam(node, param.name, (param.defaultValue + i) % 8);
            else if (param.cls == ParamClass::Flag)
                AddFlagParam(node, param.name, i % 2 == 0);
            else
                AddTextParam(node, param.name, EscapeValueText("a<" + std::to_string(i)));
        }
        flowchart.LastAppendedObject->CtrlNodeText = FormatCtrlNode(node);
    }
    flowchart.RelayoutFlowchart();
}

} // namespace talvex::bench
