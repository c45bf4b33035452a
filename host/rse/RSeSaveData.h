#pragma once
// Storage of geometry values.
class RSeStream;
class WqGePoint2d;
class WqGeVector2d;
class WqGePoint3d;
class WqGeVector3d;
class WqGeMatrix3d;

void RSeSaveData(RSeStream& s, const WqGePoint2d& v);
void RSeSaveData(RSeStream& s, const WqGeVector2d& v);
void RSeSaveData(RSeStream& s, const WqGePoint3d& v);
void RSeSaveData(RSeStream& s, const WqGeVector3d& v);
void RSeSaveData(RSeStream& s, const WqGeMatrix3d& v);
void RSeLoadData(RSeStream& s, WqGePoint2d& v);
void RSeLoadData(RSeStream& s, WqGeVector2d& v);
void RSeLoadData(RSeStream& s, WqGePoint3d& v);
void RSeLoadData(RSeStream& s, WqGeVector3d& v);
void RSeLoadData(RSeStream& s, WqGeMatrix3d& v);
