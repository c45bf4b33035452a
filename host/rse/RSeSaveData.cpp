#include "rse/RSeSaveData.h"

#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint2d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector2d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeStream.h"

void RSeSaveData(RSeStream& s, const WqGePoint2d& v) {
    const double d[2] = {v.x, v.y};
    s.WriteGeometry(RSeTag::Point2d, d, 2);
}
void RSeSaveData(RSeStream& s, const WqGeVector2d& v) {
    const double d[2] = {v.x, v.y};
    s.WriteGeometry(RSeTag::Vector2d, d, 2);
}
void RSeSaveData(RSeStream& s, const WqGePoint3d& v) {
    const double d[3] = {v.x, v.y, v.z};
    s.WriteGeometry(RSeTag::Point3d, d, 3);
}
void RSeSaveData(RSeStream& s, const WqGeVector3d& v) {
    const double d[3] = {v.x, v.y, v.z};
    s.WriteGeometry(RSeTag::Vector3d, d, 3);
}
void RSeSaveData(RSeStream& s, const WqGeMatrix3d& v) {
    s.WriteGeometry(RSeTag::Matrix3d, &v.entry[0][0], 16);
}
void RSeLoadData(RSeStream& s, WqGePoint2d& v) {
    double d[2];
    s.ReadGeometry(RSeTag::Point2d, d, 2);
    v = WqGePoint2d(d[0], d[1]);
}
void RSeLoadData(RSeStream& s, WqGeVector2d& v) {
    double d[2];
    s.ReadGeometry(RSeTag::Vector2d, d, 2);
    v = WqGeVector2d(d[0], d[1]);
}
void RSeLoadData(RSeStream& s, WqGePoint3d& v) {
    double d[3];
    s.ReadGeometry(RSeTag::Point3d, d, 3);
    v = WqGePoint3d(d[0], d[1], d[2]);
}
void RSeLoadData(RSeStream& s, WqGeVector3d& v) {
    double d[3];
    s.ReadGeometry(RSeTag::Vector3d, d, 3);
    v = WqGeVector3d(d[0], d[1], d[2]);
}
void RSeLoadData(RSeStream& s, WqGeMatrix3d& v) {
    s.ReadGeometry(RSeTag::Matrix3d, &v.entry[0][0], 16);
}
