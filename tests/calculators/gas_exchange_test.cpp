#include "calculators/gas_exchange.h"

#include <gtest/gtest.h>

#include "calculators/gas_exchange_windows.h"
#include "files/binary_recording_reader.h"
#include "files/binary_recording_writer.h"
#include "files/byte_writer.h"
#include "platform/virtual_platform.h"
#include "text/field_text.h"
#include "text/number_text.h"

namespace trindel {
namespace {

StpInput meterAt20(double flow) {
    StpInput in;
    in.flow = flow;
    in.meterTemperature = 20.0;
    return in;
}

TEST(StpFlow, KnownAnswersInSccmAndSlpm) {
    StpInput in = meterAt20(200.0);
    EXPECT_EQ(StringFormatter(STPcalc(in).value), " 186.35");
    in.slpm = true;
    EXPECT_NEAR(STPcalc(in).value, 0.18635, 5e-6);
    // A cumulative volume of 1000 ml in 300 s is 200 ml/min.
    in = meterAt20(0.0);
    in.cumulativeVolume = true;
    in.volume = 1000.0;
    in.seconds = 300.0;
    EXPECT_EQ(StringFormatter(STPcalc(in).value), " 186.35");
}

TEST(StpFlow, InternalPressureUnits) {
    struct Case {
        MeterPressureUnit unit;
        double torrPerUnit;
    };
    for (const Case c :
         {Case{MeterPressureUnit::Torr, 1.0}, Case{MeterPressureUnit::Psi, 51.7007},
          Case{MeterPressureUnit::KPa, 7.5002}, Case{MeterPressureUnit::MmH2O, 0.076}}) {
        StpInput in;
        in.flow = 760.0;
        in.barometric = 700.0;
        in.internalPressure = 2.0;
        in.unit = c.unit;
        EXPECT_DOUBLE_EQ(STPcalc(in).value, 700.0 + 2.0 * c.torrPerUnit);
    }
}

TEST(StpFlow, ZeroTimeOrAbsoluteZeroGivesAReasonNotInfinity) {
    StpInput in = meterAt20(0.0);
    in.cumulativeVolume = true;
    in.seconds = 0.0;
    EXPECT_FALSE(STPcalc(in).ok());
    in = meterAt20(200.0);
    in.meterTemperature = -273.0;
    EXPECT_FALSE(STPcalc(in).ok());
}

TEST(AltitudeAndPressure, KnownAnswersWithTheWindowPictures) {
    EXPECT_EQ(pictureText(pressureFromAltitude(1000.0, false, false), "#####.#"), "  670.0");
    EXPECT_EQ(pictureText(pressureFromAltitude(1000.0, false, true), "####.###"), "  89.327");
    EXPECT_EQ(pictureText(ALTfromBP(600.0, false, false).value, "#####.#"), " 1875.7");
    // 3278 ft is 1000 m.
    EXPECT_DOUBLE_EQ(pressureFromAltitude(3278.0, true, false),
                     pressureFromAltitude(1000.0, false, false));
    EXPECT_NEAR(ALTfromBP(600.0, false, true).value, 1875.7485 * 3.278, 1e-2);
    // Standard sea level is exactly 0 m, and 0 m exactly 760 torr or 101.325 kPa.
    EXPECT_EQ(ALTfromBP(760.0, false, false).value, 0.0);
    EXPECT_EQ(ALTfromBP(101.325, true, true).value, 0.0);
    EXPECT_EQ(pressureFromAltitude(0.0, false, false), 760.0);
    EXPECT_EQ(pressureFromAltitude(0.0, true, true), 101.325);
    for (double p : {0.0, -5.0}) {
        EXPECT_FALSE(ALTfromBP(p, false, false).ok());
    }
}

TEST(AltitudeSimulation, ThreeThousandMetresMeasuredAtOneHundred) {
    const double ps = pressureFromAltitude(3000.0, false, false);
    const double pm = pressureFromAltitude(100.0, false, false);
    EXPECT_EQ(pictureText(simulatedConcentration(20.95, ps, pm).value, "###.##"), " 14.54");
    EXPECT_FALSE(simulatedConcentration(20.95, ps, 0.0).ok());

    AltitudeSimulationWindow w;
    w.simulatedAltitude = "3000";
    w.computeFromAltitude();
    EXPECT_EQ(w.simulatedPressure, "520.7");
    EXPECT_EQ(w.measuredPressure, "750.5");
    EXPECT_EQ(w.result, "14.54");
    w.measuredPressure = "0";
    w.computeFromPressure();
    EXPECT_EQ(w.result, kNoResultText);
    EXPECT_FALSE(w.reason.empty());
}

TEST(VapourAndOxygenPressure, BodyTemperatureSaturatedGas) {
    const double ph2o = VaporPressureCALC(37.0, 100.0, false);
    EXPECT_NEAR(ph2o, 47.63, 0.01);
    EXPECT_EQ(vapourPressureText(ph2o), "47.627");  // cut to 7 characters with its blank
    EXPECT_EQ(StringFormatter(FigurePO2(760.0, ph2o, 20.95, false)), " 149.24");
    // The same in kPa.
    const double kpa = VaporPressureCALC(37.0, 100.0, true);
    EXPECT_NEAR(kpa, ph2o * 101.325 / 760.0, 1e-9);
    EXPECT_NEAR(FigurePO2(101.325, kpa, 20.95, true), 149.24 * 101.325 / 760.0, 1e-3);
    // The cold fit is used at and below 4 °C; a negative result becomes 0.
    EXPECT_NEAR(waterVapourDensity(4.0f),
                0.0048364f + 0.00033247f * 4 + 9.9414e-6f * 16 + 1.6383e-7f * 64 +
                    1.5029e-9f * 256 + 6.1512e-12f * 1024,
                1e-9f);
    EXPECT_EQ(VaporPressureCALC(37.0, -10.0, false), 0.0);
}

TEST(StpWindow, AverageInSlpmWithNothingAddedConvertsOnce) {
    Program p;
    StpWindow w(p);
    w.flow = "200";
    w.meterTemperature = "20";
    w.slpm = true;
    w.compute();
    EXPECT_EQ(w.result().text, "0.1863481229");
    w.toggleAverage(p);
    EXPECT_TRUE(w.averageShown());
    EXPECT_EQ(w.result().text, "0.1863481229");
    w.toggleAverage(p);  // back to the computed flow
    EXPECT_FALSE(w.averageShown());
}

TEST(StpWindow, SumAverageAndStore) {
    Program p;
    p.notes.flowtemp = 20.0f;
    StpWindow w(p);
    EXPECT_EQ(w.meterTemperature, "20");
    w.flow = "200";
    w.compute();
    w.addToSum(p);
    w.flow = "400";
    w.compute();
    w.addToSum(p);
    EXPECT_EQ(p.calculators.stpCount, 2);
    w.slpm = true;
    w.compute();
    w.toggleAverage(p);
    EXPECT_NEAR(fieldValue(w.result().text), 0.2795222, 1e-7);
    w.store(p);  // the shown average, back in ml/min
    EXPECT_NEAR(p.session.flowrate, 279.5222f, 1e-3f);
    EXPECT_EQ(p.session.BarometricPressure, 760.0f);
    EXPECT_EQ(p.notes.flowtemp, 0.0f);
}

TEST(StpWindow, NoResultIsNeitherAddedNorStored) {
    Program p;
    StpWindow w(p);
    w.cumulativeVolume = true;
    w.seconds = "0";
    w.compute();
    EXPECT_EQ(w.result().text, kNoResultText);
    EXPECT_EQ(w.result().reason, "The elapsed time is 0 seconds.");
    w.addToSum(p);
    w.store(p);
    EXPECT_EQ(p.calculators.stpCount, 0);
    EXPECT_EQ(p.session.flowrate, 100.0f);
}

TEST(AltitudeWindow, UnitSwitchesAndStore) {
    Program p;
    VirtualSounds sounds;
    AltitudeWindow w(p);
    EXPECT_EQ(w.pressure, "760");
    w.altitude = "1000";
    w.computePressure(sounds, p);
    EXPECT_EQ(w.pressure, "670.0");
    w.setKPa(true);
    EXPECT_EQ(w.pressure, "89.326");  // the shown 670.0 torr converted
    w.computeAltitude(sounds, p);
    // The log fit and the exponential are close but not exact inverses.
    EXPECT_NEAR(fieldValue(w.altitude), 1000.0, 0.5);
    const double metres = fieldValue(w.altitude);
    w.setFeet(true);
    EXPECT_NEAR(fieldValue(w.altitude), metres * 3.278, 0.01);
    w.storePressure(p, sounds);
    EXPECT_NEAR(p.session.BarometricPressure, 89.326f * 7.50062f, 1e-3f);
    EXPECT_EQ(sounds.log.back(), "wsst");
    w.pressure = "0";
    w.computeAltitude(sounds, p);
    EXPECT_EQ(w.altitude, kNoResultText);
}

TEST(Po2Window, UnitSwitchConvertsThePressureShown) {
    Program p;
    Po2Window w(p);
    EXPECT_EQ(w.vapourPressure, "47.627");
    EXPECT_EQ(w.po2, "149.24");
    w.setKPa(true);
    EXPECT_EQ(w.pressure, "101.325");
    EXPECT_EQ(w.po2, "19.8973");
    w.setKPa(true);  // the unit in force: nothing changes
    EXPECT_EQ(w.pressure, "101.325");
    w.setKPa(false);
    EXPECT_EQ(w.pressure, "760");
}

// The recording conditions a calculator stores are the ones a saved recording carries.
TEST(RecordingConditions, StoredValuesReachTheBinaryFile) {
    Program p;
    p.session.nChan = 1;
    p.session.Sample = 2;
    p.notes.mass = 12.5f;
    p.notes.EffectiveVolume = 300.0f;
    StpWindow stp(p);
    stp.flow = "250";
    stp.meterTemperature = "25";
    stp.calibrationTemperature = "0";
    stp.compute();
    stp.store(p);
    VirtualSounds sounds;
    AltitudeWindow alt(p);
    alt.altitude = "1000";
    alt.computePressure(sounds, p);
    alt.storePressure(p, sounds);
    p.notes.flowtemp = 21.5f;

    VectorSink sink;
    ASSERT_TRUE(SAVEBINARY(p, sink));
    const ReadResult read = readBinaryRecording(sink.bytes);
    ASSERT_TRUE(read.ok) << read.error;
    const auto& c = read.file.recording.runConstants;
    EXPECT_FLOAT_EQ(c[0], static_cast<float>(250.0 * 273.0 / 298.0));
    EXPECT_FLOAT_EQ(c[1], 12.5f);
    EXPECT_FLOAT_EQ(c[2], 670.0f);
    EXPECT_FLOAT_EQ(c[3], 21.5f);
    EXPECT_FLOAT_EQ(c[4], 300.0f);
}

}  // namespace
}  // namespace trindel
