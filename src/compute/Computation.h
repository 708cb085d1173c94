// The computation of a part's values: structure parameters, then properties,
// then points, each family by repeated passes until nothing is pending.
#pragma once

namespace qzdbs {

bool InitComp();
void ClearComputeData();
void ClearViewData();
bool OpenComputeDB();

bool ComputeAll();
bool ComputeStructurePara();
bool ComputePartProperties();
bool ComputePartPoints();

void LoadStructurePara();
void LoadPartProperties();
void LoadPartPoints();
void LoadAllLayers();

void ReleaseComputeData();

}  // namespace qzdbs
