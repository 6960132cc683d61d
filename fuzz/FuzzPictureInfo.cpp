// The 568-byte picture info record as read from an Info file of any length.
#include "FuzzSupport.h"

#include "magnification/MagnificationModel.h"
#include "magnification/PictureInfoRecord.h"
#include "output/SaveAsRules.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using FuzzSupport::Require;
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    const PictureInfoRecord record = PictureInfoRecord::FromBytes(bytes);
    const QByteArray written = record.ToBytes();
    Require(written.size() == PictureInfoRecord::ByteSize);
    // Reading covers exactly the bytes there are; writing gives them back.
    const qsizetype covered = std::min<qsizetype>(bytes.size(), PictureInfoRecord::ByteSize);
    Require(written.left(covered) == bytes.left(covered));
    Require(PictureInfoRecord::FromBytes(written).ToBytes() == written);

    // Everything the editor derives from a record.
    PictureInfoRecord copy = record;
    copy.SetRemark(record.Remark());
    copy.SetPathText(record.PathText());
    Require(copy.ToBytes().size() == PictureInfoRecord::ByteSize);
    (void)MagnificationModel::InfoPathForRecordPath(record.PathText());
    (void)MagnificationModel::PixelSizeForCamera(record.cameraCode);
    (void)MagnificationModel::ResolutionFactorFor(record.scaleResolutionCode, {1280, 1024});
    (void)MagnificationModel::FormatBoxValue(record.pictureMagnification,
                                             MagnificationModel::BoxFormat::Full);
    (void)MagnificationModel::FormatBoxValue(record.adjustedMagnification,
                                             MagnificationModel::BoxFormat::Short);
    (void)ResolutionText(record.captureResolutionCode);
    (void)SaveAsRules::DateTimeStampText(record);
    (void)SaveAsRules::MagnificationStampText(record);
    return 0;
}
