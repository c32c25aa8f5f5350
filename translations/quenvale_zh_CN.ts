<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AlarmList</name>
    <message>
        <source>Every channel&apos;s alarms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raised</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Figure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>%1 — %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPreviewView</name>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;v Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Two Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages %1-%2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;One Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSDIQVLApp</name>
    <message>
        <source>Quenvale: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer there. Take it off the recent files?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSDIQVLView</name>
    <message>
        <source>The report could not be printed on &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelColumns</name>
    <message>
        <source>Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marginal fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numeric powers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Std dev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P01</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P50</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P95</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P99</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upper limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margin mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margin std dev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk observed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capability</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelFiguresModel</name>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WaveLength</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelList</name>
    <message>
        <source>fails: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClearCacheJob</name>
    <message>
        <source>removed %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no summary cache in %1
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Open(&amp;O)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Folder(&amp;D)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Database(&amp;B)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Workbook(&amp;W)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare(&amp;M)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print(&amp;P)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Fiber(&amp;F)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Verdicts(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning Margin(&amp;W)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limits(&amp;L)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Failing Fiber(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Failing Fiber(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Fibers(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing Fibers Only(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marginal Fibers Only(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incomplete Fibers Only(&amp;I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summary(&amp;U)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distributions(&amp;D)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quenvale(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verdicts(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompareChart</name>
    <message>
        <source>A outlined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B filled; bars are shares of each side&apos;s values; * a shift beyond chance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no powers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no fiber with a power on both sides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: B - A fiber by fiber, %2 of them, mean %3 dB, 95 % interval %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>B passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B fails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A fails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;mpare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shift at p &lt; %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fibers on both sides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name a file or a folder on each side, A and B.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1 and %2 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 fiber on both sides; Cohen&apos;s kappa %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fibers on both sides; Cohen&apos;s kappa %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing is compared yet: there is no image to save.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompareShiftModel</name>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A std dev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A Cpk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B std dev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B Cpk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift (dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>95 % interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welch p</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KS p</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paired fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paired shift (dB)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompareView</name>
    <message>
        <source>Click a channel&apos;s panel to see its fibers&apos; differences, B - A.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompareWriter</name>
    <message>
        <source>1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 unread</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>95 % interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welch p</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KS p</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>* shifted: Welch p below %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matched fibers: %1; verdicts (A/B) pass/pass %2, pass/fail %3, fail/pass %4, fail/fail %5; kappa %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Comparison</name>
    <message>
        <source>channel %1 is only in A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1 is only in B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1: too few powers for a test (%2 in A, %3 in B, two or more with a spread needed on each side)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A has no fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B has no fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no fiber is on both sides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kappa cannot be told: every matched fiber has the same verdict on both sides</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ControlWriter</name>
    <message>
        <source>channel %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2, from %3 %4; raised at %5 (%6)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alarms: none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>alarms: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DistributionChart</name>
    <message>
        <source>Cpk -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk %1 low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk %1 fair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk %1 good</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk obs. %1 %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>obs. %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 without a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 below</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 above</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> the axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not in the histogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>upper limit %1 off the axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lower limit %1 off the axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>threshold %1 off the axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no numeric power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no numeric power: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 marginal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DistributionDialog</name>
    <message>
        <source>&amp;Apply to Limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Common axis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All channels on one scale of dBm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> dBm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What-if lower limit of the marked channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try a lower limit for the marked channel; or drag its limit line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unsaved limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;What if the lower limit were</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yield c&amp;urve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The marked channel&apos;s yield against its lower limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distributions - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distributions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file is shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is being judged...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: bin %2 to %3 dBm, %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what if</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What if %1 from %2 dBm: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DistributionHeading</name>
    <message>
        <source>1 fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 pass (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 marginal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 marginal (below %2 dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, limits: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ଓσ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>marginal band</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DistributionView</name>
    <message>
        <source>Distributions of the channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1, %2 nm: %3, %4 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what if</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 to %3 dB, %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 failing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocumentManager</name>
    <message>
        <source>it is a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2 files are open already. Close a tab first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every station</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (database)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 new alarms; the last: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportCommands</name>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file is shown: there is no workbook to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the workbook %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped before the last row</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FactoryDatabase</name>
    <message>
        <source>%1: %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt&apos;s PostgreSQL driver is not installed (Debian: libqt6sql6-psql)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a database&apos;s URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a password is not taken from the command line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give it in ~/.pgpass or PGPASSWORD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot keep %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its summary in the database is not one this Quenvale reads</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FactorySchema</name>
    <message>
        <source>cannot begin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot make the schema</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot use it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its schema is version %1, newer than this Quenvale&apos;s (%2): update Quenvale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its table quenvale_file is not as Quenvale made it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its table quenvale_row is not as Quenvale made it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FailingFibersModel</name>
    <message>
        <source>Fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Worst channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FiberFindBar</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the fibers whose names hold this text; Enter or Down chooses the first, Esc shows them all again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Failing Fibers Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Marginal Fibers Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Incomplete Fibers Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All Fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>failing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>marginal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1/%2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2, %3 shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2, %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which fibers the box lists: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verdict filter: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FiberListModel</name>
    <message>
        <source>passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>passes, marginal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>being written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is being written: %2 of 18 rows so far</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 passes, within a channel&apos;s band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 passes, by less than the warning margin of %2 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fails: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; worst channel %1, margin %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileReader</name>
    <message>
        <source>no thread could be started to read it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is too big for the memory of this computer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageFiles</name>
    <message>
        <source>PNG image (*.png);;SVG image (*.svg);;PDF document (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Limits</name>
    <message>
        <source>%1: line %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: line %2, column %3: %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bytes that are not UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the header must be channel,lower,upper,warn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cells where there must be 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a channel (01 to 18)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1 is listed again (first on line %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a band of %1 dB: it must be 0 or more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lower %1 is above upper %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: more than 1 MB, not a file of limits</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LimitsDialog</name>
    <message>
        <source>Limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower (dBm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upper (dBm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Band (dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An empty lower limit keeps each row&apos;s own threshold; an empty upper limit or band sets none. A fiber passes within a band of its limits as marginal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unsaved limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LotControl</name>
    <message>
        <source>channel %1&apos;s %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rules need %1 files for a baseline; the files from %2 on are %3: no alarms from them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The baseline of %1 from file %2 has no spread: its limits stand on the centre.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk below %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rule %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yield</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>margin mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LotDistributionsDialog</name>
    <message>
        <source>&amp;Save Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distributions - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A lot of the database has no rows here to draw: its files&apos; summaries alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is being read...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 files, each fiber once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 distributions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LotModel</name>
    <message>
        <source>%1: deleted since it was read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: still being written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marginal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yield</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Worst channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Least Cpk</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LotScan</name>
    <message>
        <source>%1: changed while it was read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LotTrend</name>
    <message>
        <source>First-pass yield</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final yield</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yield</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margin mean, channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpk, channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lot %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LotView</name>
    <message>
        <source>Subfolders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each file&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The files at the start of the lot, or of each change, that the control limits are taken from; Shift and drag on the chart to pick others.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %v of %m files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Across:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yield:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Baseline:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 trend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Misalignment</name>
    <message>
        <source>1 byte long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than %1 bytes long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 is %2; rows after it are not aligned</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OpenDatabaseDialog</name>
    <message>
        <source>every station</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2018-05-21 or 2018-05-21T14:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stations (by commas):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First rows from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no date: 2018-05-21, or 2018-05-21T14:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name a database: postgresql://USER@HOST/DB, or service=NAME.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>Keep each result file of the paths given, summed up, in the factory&apos;s PostgreSQL database at URL (postgresql://USER@HOST/DB, or service=NAME); a file pushed again unchanged adds nothing; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The station the files of --push are of (this machine&apos;s name by default); with --trend URL, the station whose files are read (once for each; every station&apos;s by default).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --push: each file&apos;s rows too, every field as the file has it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --trend URL: the files whose first row is at T or later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --trend URL: the files whose first row is before T.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs a database: postgresql://USER@HOST/DB or service=NAME (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--trend URL reads summaries judged by the rows&apos; thresholds: it takes no --warn-margin or --limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for --push and --trend URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for --push</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs a value, not an empty text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs a value, but &apos;%2&apos; follows it (write ./%2 for a file of that name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 %2: unknown value, use %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for --summary, --trend, --sweep, --compare, --plot, --export-xlsx or --print-pdf --verdicts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 compares two paths, A and B (%2 given)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for --%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for --%2 and --push</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 writes JSON lines; --format is jsonl or not given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be given together: one job at a time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for --%2 and --%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is only for --print-pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 takes no files (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs at least one result file or folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs at least one result file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 watches one folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 writes files only; name a file or a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the CSV export of the result files to OUT: a file (one result file), an existing folder, or - for standard output; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the printed report of the result files as PDF to OUT: a file (one result file) or an existing folder; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --print-pdf: the report with each fiber&apos;s verdict, the yield, the channels&apos; statistics and distributions, and the failing fibers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper of the PDF report: A4 (default) or Letter. A page too short for the report is scaled to fit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4|Letter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Judge every fiber of the result files and folders given against its thresholds and write the verdicts to standard output; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the result files and folders given together as a lot: a line per file in time order and the lot&apos;s yield with retests counted once, to standard output; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read every file of --trend or --compare again, neither using nor changing the summary cache.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the summary cache (and what was set aside beside it); then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format of --summary and --trend: text (default), json, jsonl or csv; of --plot: png, svg or pdf (default: OUT&apos;s extension, png in a folder).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marginal band of --summary, --trend, --plot, --export-xlsx and --print-pdf --verdicts: a fiber that passes with a worst margin below DB dB is marginal (it still passes).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Judge by the limits in FILE (CSV: channel,lower,upper,warn) instead of each row&apos;s threshold, for --summary, --trend, --sweep, --compare, --plot, --export-xlsx and --print-pdf --verdicts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For each channel of the result files and folders given, the fiber yield as that channel&apos;s lower limit moves from its least power to its greatest, the limit that gives the target yield, and a guardband from the fibers measured more than once, to standard output; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare two result files or folders, A and B: each channel&apos;s shift of the mean with its interval and tests, and how far the verdicts of the fibers on both sides agree, to standard output; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The p-value below which --compare calls a shift significant: 0.001 by default.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --trend: control limits of each channel&apos;s margin mean, of the yield and of Cpk, and the alarms of the run rules; exit status 3 when any is raised.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The files at the lot&apos;s start that the control limits of --trend --rules are taken from: 20 by default.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --trend --rules: keep watching the folders and write each alarm as a JSON line as it is raised, until stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The one channel --sweep sweeps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The step of --sweep&apos;s limits: 0.01 dB by default.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The yield --sweep looks for a limit of, in percent: 99 by default.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PCT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw the distribution of every channel&apos;s powers and the Pareto of failures of the result files as images to OUT: a file (one result file; .png, .svg or .pdf) or an existing folder; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the workbook (XLSX) of the result files to OUT: a file (one result file) or an existing folder; then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size of --plot&apos;s image in pixels (default 1920x1080).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WxH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result files (.fib): opened in the window (a folder as a lot of its files), or read by --export-csv, --export-xlsx, --print-pdf or --plot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[FILE.fib...]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--plot %1: name a file ending in .png, .svg or .pdf, or give --format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: station %2: %3 added, %4 replaced, %5 already there
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no channel %1 in the result files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputStream</name>
    <message>
        <source>it is closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write to standard output: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParetoChart</name>
    <message>
        <source>No fiber failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing fibers by channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>by reason</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PostgresRows</name>
    <message>
        <source>not connected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PushFollower</name>
    <message>
        <source>%1: the files wait until it can be reached again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: reached again; pushing the file waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: reached again; pushing the %2 files waiting</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PushSpool</name>
    <message>
        <source>the spool %1: %2%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no summary to keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an entry cannot be dropped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMenu</name>
    <message>
        <source>Save Image...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Quenvale</name>
    <message>
        <source>not enough memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is too big for the memory of this computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped before &quot;%1&quot; was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image could not be drawn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not enough memory to draw it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marginal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Worst channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Worst margin (dB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped before the last page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PDF could not be drawn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its rows do not fit in this computer&apos;s memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program is stopping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; had %2 links; the others keep the old content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no temporary file could be made beside it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the temporary folder &quot;%1&quot; has no space left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in the temporary folder &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; would be written over the result file &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; and &quot;%2&quot; would both be written to &quot;%3&quot;; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>quenvale: %1 of %2 files done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder: the results of several files go into an existing folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot;: not enough memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quenvale, a viewer for fiber measurement result files (.fib).

Without --export-csv, --export-xlsx, --print-pdf, --summary, --trend,
--sweep, --compare, --push or --plot, opens the window with a tab for
each FILE.fib given, the last one shown; a folder given opens as a lot:
its result files together, with their trend.

With one of them, runs that job without a window and exits:

  --export-csv OUT.csv FILE.fib
      Writes the CSV export of FILE.fib to OUT.csv: the very bytes that Save As
      writes right after FILE.fib is opened in the window. The file is read
      and the CSV written as they go, so any size of file needs little memory.
  --export-csv OUTDIR FILE.fib...
      Writes OUTDIR/NAME.csv for each FILE.fib, where NAME is the file&apos;s name
      without a final &quot;.fib&quot; (in any case). OUTDIR must be an existing
      folder; it is taken as one whenever it is, even for a single file.
  --export-csv - FILE.fib...
      Writes the CSV of each file in turn to standard output. A reader that
      closes the pipe early ends the job quietly, with status 0.
  --export-xlsx OUT.xlsx FILE.fib [--warn-margin DB] [--limits FILE]
      Writes the workbook of FILE.fib to OUT.xlsx (Excel, LibreOffice, pandas):
      sheet &quot;Fibers&quot;, a row per fiber (name, verdict, marginal, reasons,
      failed channels, worst channel and margin, each channel&apos;s power and
      margin; failing cells filled); &quot;Channels&quot;, the statistics of each
      channel as --summary gives them; &quot;Rows&quot;, the table as --export-csv has
      it, numbers as numbers, where it fits a sheet (1,048,575 rows; beyond,
      a note on the first sheet says it is left out). Fibers are judged as
      --summary judges them; the file&apos;s header lines and the yield are in
      the workbook&apos;s properties. Memory stays small whatever the size.
  --export-xlsx OUTDIR FILE.fib... [--warn-margin DB] [--limits FILE]
      Writes OUTDIR/NAME.xlsx for each FILE.fib.
  --print-pdf OUT.pdf FILE.fib [--page-size A4|Letter] [--verdicts [--warn-margin DB] [--limits FILE]]
      Writes the printed report of FILE.fib to OUT.pdf, one PDF page per
      report page, drawn by the same code as Print. With --verdicts, the
      report says pass or fail: a first page with the file&apos;s name and header
      lines, the yield, each channel&apos;s statistics with Cpk, the Pareto of
      failures and the distributions, then the failing fibers with their
      reasons, failed channels, worst channel and margin; the rows gain
      Verdict and Margin columns, a failing row in bold with a black bar in
      the margin; each page&apos;s footer has the file&apos;s name and &quot;Page N of M&quot;.
  --print-pdf OUTDIR FILE.fib... [--page-size A4|Letter] [--verdicts [--warn-margin DB] [--limits FILE]]
      Writes OUTDIR/NAME.pdf for each FILE.fib.
  --summary [--format text|json|jsonl|csv] [--warn-margin DB] [--limits FILE] PATH...
      Judges every fiber of every result file against its thresholds and
      writes the verdicts to standard output as they are made. A PATH is a
      result file, read whatever it is, or a folder: every regular file in
      it and its subfolders whose name ends in &quot;.fib&quot; (in any case), in
      name order; anything else of such a name there is &quot;not a regular
      file&quot;. A file reached twice is judged once. The rows are read exactly
      as for --export-csv; each block of 18 rows is one fiber, named by its
      first row. A channel passes when its power and its threshold both hold
      a number and the power is at or above the threshold; &quot;Low&quot; fails, and
      so does a power or threshold that holds no number (&quot;no number&quot;). The
      margin is power minus threshold, in dB. A fiber passes when it has 18
      rows and all of them pass (fewer rows: &quot;incomplete&quot;); its worst
      channel is the first that is Low or holds no number (no margin), else
      the one with the smallest margin. A file passes when it has a fiber
      and every fiber passes (none: &quot;no rows&quot;). Where a row&apos;s 69th byte is no
      line feed (a blank, short or long line before it), the first such line
      is named on standard error and the fibers from it on fail
      (&quot;misaligned&quot;). With --warn-margin, a fiber
      that passes with a worst margin below DB dB is marginal; it still
      passes, and the exit status is the same.
      For each channel (percentiles linear between the closest ranks, exact
      to 0.01 dB; powers in dBm, margins and spreads in dB):
@FIGURES@      For each file, the failing fibers counted per channel and per reason,
      largest first (the Pareto).
      text (the default): the path of each failing file and a line per
        failing fiber (its worst channel&apos;s power, threshold and margin), and
        of each marginal one (&quot;PASS (marginal)&quot;); then a line per file (PASS,
        PASS (marginal) or FAIL, fibers passed of all, yield, marginal fibers),
        one for all files together, and what could not be read.
      json: {&quot;files&quot;: [{&quot;path&quot;, &quot;fiber_results&quot;: [{&quot;name&quot;, &quot;verdict&quot;,
        &quot;rows&quot;, &quot;reason&quot;, &quot;failed_channels&quot;, &quot;worst_channel&quot;,
        &quot;worst_margin&quot;, &quot;marginal&quot;}], &quot;verdict&quot;, &quot;fibers&quot;, &quot;failed&quot;,
        &quot;marginal&quot;, &quot;yield&quot;, &quot;channels&quot;: [{&quot;channel&quot;, &quot;wavelength&quot;, &quot;count&quot;,
        &quot;failed&quot;, &quot;marginal&quot;, &quot;min&quot;, &quot;max&quot;, &quot;mean&quot;, &quot;stddev&quot;, &quot;p01&quot;, &quot;p50&quot;,
        &quot;p99&quot;, &quot;margin_mean&quot;, &quot;margin_stddev&quot;, &quot;cpk&quot;}], &quot;pareto&quot;:
        {&quot;channels&quot;: [{&quot;channel&quot;, &quot;fibers&quot;}], &quot;reasons&quot;: [{&quot;reason&quot;,
        &quot;fibers&quot;}]}}], &quot;verdict&quot;, &quot;errors&quot;: [{&quot;path&quot;, &quot;message&quot;}]};
        &quot;marginal&quot; only with --warn-margin.
      jsonl: one JSON object per line: a line per fiber ({&quot;file&quot;, &quot;type&quot;:
        &quot;fiber&quot;, and the fiber&apos;s members as in json), a line per file after
        its fibers ({&quot;file&quot;, &quot;type&quot;: &quot;file&quot;, &quot;verdict&quot; ... &quot;pareto&quot;}),
        and a line per path that could not be read ({&quot;file&quot;, &quot;type&quot;:
        &quot;error&quot;, &quot;message&quot;}).
      csv: file,fiber,verdict,rows,reason,worst_channel,worst_margin,
        failed_channels,path_bytes,marginal, one line per fiber (RFC 4180),
        and one per path that could not be read (verdict &quot;error&quot;);
        marginal is true or false with --warn-margin, else empty.
      Texts are UTF-8, decoded from code page 936 and trimmed, a byte that is
      not code page 936 shown as U+FFFD; a path that is not UTF-8 shows its
      stray bytes as \xNN and has &quot;path_bytes&quot; (its bytes in hex). Numbers
      are the shortest decimals to six places while those take at most
      fifteen digits, else the shortest exponent form (1e+64); null, or empty
      in csv, beyond any number; a yield is rounded down.
  --trend [--format text|json|jsonl|csv] [--warn-margin DB] [--limits FILE] [--no-cache] [--rules [--baseline N] [--follow]] PATH...
      Takes the result files of the PATHs (found as --summary finds them) together
      as a lot, judged as --summary judges them: a line per file in time order
      (its first row&apos;s date and time, then its path; a file&apos;s own fibers are
      never reordered), with its fibers, passed, marginal, yield, worst channel
      (where most fibers failed; where none did, the smallest margin mean) and
      the least Cpk of its channels; then the lot&apos;s line: files, fibers, passed,
      yield, retested and passed in the end. A fiber name met more than once
      (in several files, or twice in one) is a retest and counts once, with its
      latest result: the latest date and time, then the later file in time
      order, then the later place in its file. Files that cannot be read are
      listed with their reason and counted apart.
      json: {&quot;files&quot;: [{&quot;path&quot;, &quot;first_time&quot; (ISO 8601), &quot;fibers&quot;,
        &quot;passed&quot;, &quot;marginal&quot;, &quot;yield&quot;, &quot;worst_channel&quot;, &quot;min_cpk&quot;}],
        &quot;lot&quot;: {&quot;files&quot;, &quot;fibers&quot;, &quot;passed&quot;, &quot;yield&quot;, &quot;first_passed&quot;,
        &quot;first_pass_yield&quot; (of each fiber&apos;s first result), &quot;retested&quot;,
        &quot;retested_passed&quot;, &quot;unread&quot;, &quot;failing_channel&quot;}, &quot;errors&quot;:
        [{&quot;path&quot;, &quot;message&quot;}]}; jsonl: the same as lines with &quot;type&quot; &quot;file&quot;,
        &quot;lot&quot; or &quot;error&quot;; csv: type,path,first_time,files,unread,fibers,
        passed,marginal,yield,worst_channel,min_cpk,retested,retested_passed,
        failing_channel,message,path_bytes,first_passed,first_pass_yield.
      Each file&apos;s summary (never its rows) is kept in the summary cache,
      $XDG_CACHE_HOME/quenvale/summaries.sqlite (~/.cache/quenvale/ without it),
      known by the file&apos;s device and inode, and given back only while its
      size, modification and change times are those it was made of; a file
      whose times are coarser than a millisecond, or that had changed less
      than 2 s before it was read, is hashed again (XXH3) and must match. The
      cache takes at most QUENVALE_CACHE_MAX_MB megabytes (256), dropping the
      entries used longest ago, and never the last 64 MB of its disk; entries
      of files gone or changed are dropped. A cache that is damaged, another
      program&apos;s, a newer version&apos;s or no regular file is set aside (renamed,
      with a message) and made anew; an older version&apos;s is made anew in
      place. --no-cache reads every file and leaves the cache as it is.
      Files judged by --limits are read every time and never kept there.
      --rules adds control charts: for each channel&apos;s margin mean and Cpk and
      for the files&apos; yield, an individuals chart whose centre is the mean of
      the first N files (--baseline, 20 by default) and whose limits stand
      3 sigma either side, sigma the mean moving range / 1.128. The eight Nelson
      rules run on the margin means and the yield, and a channel&apos;s Cpk falling
      below 1.33 is an alarm. json adds &quot;control&quot;: {CHANNEL: {&quot;centre&quot;,
      &quot;lower&quot;, &quot;upper&quot;, &quot;sigma&quot;, &quot;baseline_files&quot;, &quot;cpk&quot;: {...}}},
      &quot;alarms&quot;: [{&quot;series&quot;, &quot;channel&quot;, &quot;rule&quot;, &quot;rule_text&quot;, &quot;file&quot;,
      &quot;time&quot; (where the run began), &quot;raised_file&quot;, &quot;raised_time&quot;, &quot;value&quot;;
      &quot;file_bytes&quot;, &quot;raised_file_bytes&quot; where a name is not UTF-8}],
      &quot;control_notes&quot; and the lot&apos;s &quot;yield_control&quot;; jsonl a &quot;control&quot;
      line and an &quot;alarm&quot; line each; text lists the alarms after the lot&apos;s
      line. Exit status 3 when an alarm is raised. With fewer files than the
      baseline there are no limits and no alarms, and a note says so.
      --follow keeps watching the PATHs after that and writes each alarm as a
      JSON line (&quot;type&quot; &quot;alarm&quot;) once it is raised, until INT or TERM.
  --trend URL [--format text|json|jsonl|csv] [--station NAME]... [--since T] [--until T] [--rules [--baseline N]]
      The same lot read from the factory&apos;s database (see --push) instead of
      a folder: every station&apos;s files, or those of each --station given,
      whose first row is at --since T or later and before --until T
      (2018-05-21 or 2018-05-21T14:00, the stations&apos; clock); the same
      numbers as --trend of the folders pushed, each file&apos;s path given as
      STATION:PATH (two stations may write files of one path). The
      summaries there are judged by the rows&apos; thresholds: no --warn-margin
      or --limits.
  --push URL [--station NAME] [--rows] [--follow] PATH...
      Sums up each result file of the PATHs as --trend does and keeps it in
      the factory&apos;s PostgreSQL database at URL: postgresql://USER@HOST[:PORT]/DB
      (a socket&apos;s folder as ?host=/path) or service=NAME (~/.pg_service.conf);
      a password from ~/.pgpass or PGPASSWORD, never the URL. Each file is
      the station&apos;s (NAME, this machine&apos;s name by default), known by its
      whole path: pushed again unchanged (size, modification time and the
      hash of its bytes) it adds nothing, changed it replaces its earlier
      version, each in one transaction. --rows keeps each file&apos;s rows too,
      every field as the file has it (one already kept without them takes
      them). The tables are made on first use and taken forward (schema
      version 2); a newer schema, or a table changed by hand, is refused.
      Tells how many files were added, replaced and already there;
      exit status 1 where the database cannot be used or a file cannot be
      read or kept. --follow keeps watching one folder and pushes each new
      or changed file once it has settled, a line each (&quot;added PATH&quot;);
      while the database cannot be reached the files wait and are pushed
      once it can, until INT or TERM.
  --sweep [--format csv|json] [--channel CH] [--step DB] [--target PCT] [--limits FILE] PATH...
      Takes the result files of the PATHs together, each fiber counted once by
      its latest measurement (as --trend counts retests), and for each channel
      (or only CH) gives the fiber yield as that channel&apos;s lower limit moves
      from its least power to its greatest in steps of DB (0.01), every other
      channel judged at its limits; the greatest limit whose yield is PCT %
      (99) or more; and from the fibers measured more than once, the
      repeatability: the deviation of the differences of their successive
      powers where the channel passed both times (a channel that failed was
      mended, not measured again) over the square root of 2, the guardband
      (3 repeatabilities)
      and the limit proposed (the limit for the target plus the guardband).
      json: {&quot;channels&quot;: [{&quot;channel&quot;, &quot;fibers&quot;, &quot;curve&quot;: [[limit, yield]...],
        &quot;target&quot;, &quot;limit_for_target&quot;, &quot;retests&quot;, &quot;repeatability&quot;,
        &quot;repeatability_from&quot; (&quot;channel&quot;, or &quot;station&quot;: pooled over the channels
        where one has fewer than 10 retests that passed there both times),
        &quot;guardband&quot;, &quot;proposed&quot;}]}; csv (the default): type,channel,limit,
        yield,passed,fibers,target,limit_for_target,retests,repeatability,
        repeatability_from,guardband,proposed, a &quot;point&quot; line per limit and a
        &quot;channel&quot; line.
  --compare [--format text|json|csv] [--alpha P] [--limits FILE] [--no-cache] A B
      Compares B with A, each a result file (every fiber, as --summary judges
      it) or a folder (a lot, each fiber counted once by its latest result, as
      --trend counts retests). For each channel: each side&apos;s count of numeric
      powers, mean, stddev, Cpk and capability; the shift of the mean, B - A,
      with its 95 % interval and Welch&apos;s p-value (the sides&apos; spreads not taken
      as equal); the two-sample Kolmogorov-Smirnov distance of the powers as
      counted at each 0.01 dB and its p-value (Stephens&apos; approximation); the
      channels by the size of their shift. The fibers named on both sides:
      their number, each channel&apos;s mean paired difference with its interval
      (Student&apos;s t), the verdicts&apos; 2x2 table and Cohen&apos;s kappa. json:
      {&quot;a&quot;, &quot;b&quot; ({&quot;path&quot;, &quot;lot&quot;, &quot;files&quot;, &quot;unread&quot;, &quot;fibers&quot;}), &quot;alpha&quot;,
      &quot;channels&quot;: [{&quot;channel&quot;, &quot;a&quot;, &quot;b&quot; ({&quot;count&quot;, &quot;mean&quot;, &quot;stddev&quot;,
      &quot;cpk&quot;, &quot;capability&quot;}, null on a side without the channel),
      &quot;delta_mean&quot;, &quot;delta_ci95&quot;: [lo, hi], &quot;welch_p&quot;, &quot;ks&quot;, &quot;ks_p&quot;,
      &quot;shifted&quot;}], &quot;matched&quot;: {&quot;fibers&quot;, &quot;agreement&quot;: {&quot;pp&quot;, &quot;pf&quot;, &quot;fp&quot;,
      &quot;ff&quot;}, &quot;kappa&quot;, &quot;channels&quot;: [{&quot;channel&quot;, &quot;fibers&quot;,
      &quot;paired_delta_mean&quot;, &quot;paired_ci95&quot;}]}, &quot;notes&quot;}; what cannot be told is
      null, with a note. csv: a line per channel. Exit status 3 when any
      channel&apos;s Welch p-value is below P (0.001), so that a script can gate
      a change; 1 where a side or a file of it cannot be read.
  --clear-cache
      Removes the summary cache and what was set aside beside it, naming each
      file removed; by hand: rm -r ~/.cache/quenvale (or that folder under
      $XDG_CACHE_HOME).
  --plot OUT.png|OUT.svg|OUT.pdf FILE.fib [--size WxH] [--warn-margin DB] [--limits FILE]
      Draws the population of FILE.fib into an image of WxH pixels (default
      1920x1080; a PDF page of that size at 96 per inch), in the format its
      name ends in (or --format&apos;s): a histogram of each channel&apos;s powers, its
      threshold a line (where rows differ, the most common one, the others
      ticks), the mean dashed and mean +-3 sigma dotted, the bins of failing
      values hatched, the band above the threshold shaded; above each,
      channel, wavelength, Cpk (low below 1.0, fair below 1.33, good; each
      with a pattern of its own) and failed fibers; beside them the Pareto of
      failing fibers by channel and by reason. The axis follows the bulk of
      the values; values far off it are counted in a note under the panel.
      The file is read and judged as --summary does.
  --plot OUTDIR FILE.fib... [--format png|svg|pdf] [--size WxH] [--warn-margin DB] [--limits FILE]
      Writes OUTDIR/NAME.png (or .svg, .pdf) for each FILE.fib.

--limits FILE judges by limits of the user&apos;s own: a CSV file in UTF-8, its
header channel,lower,upper,warn, then a line per channel (01 to 18, or 1 to
18) it sets. A lower limit takes the place of each row&apos;s threshold (&quot;below
limit&quot;; an empty cell keeps the threshold, &quot;below threshold&quot;); a power
above the upper limit fails (&quot;above limit&quot;), its margin upper minus power;
with both, the margin is the nearer of the two, and Cpk the nearer side&apos;s.
warn is the channel&apos;s own marginal band (in place of --warn-margin). The
summaries give &quot;limit_source&quot; (&quot;file&quot;, or FILE&apos;s name) and each channel&apos;s
lower, upper and warn as used. A file with an unknown channel, a lower limit
above the upper, text in a number cell, no header, a channel twice or bytes
that are not UTF-8 is refused with its line and column, status 2, before
anything is judged.

Several files are done in parallel, on all of the machine&apos;s cores. A file
that cannot be read or written is named on standard error and the others
are still written. Two files that would write the same result, or a result
that would replace one of the files read, are refused before anything is
written. On a terminal, standard error shows how many files are done;
otherwise a job that succeeds prints nothing there.

A result that is a regular file (or a new one) replaces an older file of its
name only once it is complete and synced to the disk: it is written into a
private temporary file beside it (without a name where the file system can,
otherwise .quenvale-XXXXXXXX-NAME), which then takes the older file&apos;s mode
(and, where allowed, its owner and group), its extended attributes and its
name; the folder is synced after. A job that fails, or is stopped by a signal,
leaves the older file as it was and no temporary file; a named one left by a
job that was killed is removed by the next job that writes into that folder. A
result that had other names (hard links) is replaced under the name given
alone, and standard error says so. A result that is not a regular file (a
device such as /dev/null, a FIFO, a socket, /dev/stdout) is written in place
and never replaced; with --export-csv it takes the CSV of every file given, in
turn. A symbolic link is written through to the file it names.
File names are taken as the bytes given, whatever their encoding.

Exit status:
  0    every file was written (--summary, --trend: every file passed)
  1    a file or PATH could not be read or written (the others were done;
       this comes before 3)
  2    the arguments cannot be used (nothing was done)
  3    --summary, --trend: a fiber or a file failed (--trend --rules: or an
       alarm was raised)
  128 + N
       the job was stopped by signal N (SIGHUP 1, SIGINT 2, SIGQUIT 3,
       SIGUSR1 10, SIGUSR2 12, SIGPIPE 13, SIGALRM 14, SIGTERM 15, SIGXCPU 24,
       SIGXFSZ 25): it ends by that signal within half a second, whatever
       it was doing. A write past the file size limit fails with status 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pages could not be drawn</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultDocument</name>
    <message>
        <source>No fibers to judge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no longer on disk; the window shows it as it was read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no longer on disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty now; the window shows it as it was read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 The window shows the file as it was read before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is growing: %2 fibers so far</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultFileFinder</name>
    <message>
        <source>there is no result file (.fib) in it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RowCopy</name>
    <message>
        <source>not connected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunRules</name>
    <message>
        <source>one beyond 3 sigma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nine in a row on one side of the centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>six in a row rising or falling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fourteen in a row alternating up and down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>two of three beyond 2 sigma on one side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>four of five beyond 1 sigma on one side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fifteen in a row within 1 sigma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>eight in a row beyond 1 sigma on either side</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusPanes</name>
    <message>
        <source>Reading %1 again: it changed on disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: waiting for data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limits: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>
qvl
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show which fibers fail their thresholds, where and by how much
Verdicts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the next fiber that fails its thresholds
Next failing fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the previous fiber that fails its thresholds
Previous failing fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the file&apos;s figures per channel and its failing fibers
Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the selected tab
Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find a fiber by a part of its name
Find fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the file of the next tab
Next tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the file of the previous tab
Previous tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark the fibers that pass by less than a margin of your choice
Warning margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Judge the fibers by limits of your own: lower, upper and a band per channel
Limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show each channel&apos;s distribution against its threshold and the Pareto of the failures
Distributions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List every fiber in the fiber box
All fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List only the fibers that fail in the fiber box
Failing fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List only the marginal fibers in the fiber box
Marginal fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List only the fibers of fewer than 18 rows in the fiber box
Incomplete fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the file shown as an Excel workbook: its fibers with their verdicts, its channels and its rows
Export workbook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a lot of the factory&apos;s database: stations and a time range
Open Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare two files or folders: each channel&apos;s shift and how far the verdicts of their fibers agree
Compare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quenvale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>建立新文档
新建</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a folder&apos;s result files together as a lot
Open Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭活动文档
关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document as a new file 
Save as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改变打印选项
页面设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改变打印机及打印选项
打印设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show whole page
Print preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除被选对象
删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部删除
全部删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制被选对象并将其置于剪贴板上
复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剪切被选对象并将其置于剪贴板上
剪切</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查找指定的正文
查找</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>插入剪贴板内容
粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重复上一步操作
重复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用不同的正文替换指定的正文
替换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择整个文档
选择全部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤消最后一步操作
撤消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重新执行先前已撤消的操作
重新执行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将活动的窗口分隔成窗格
分隔</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the program information，version and copyright
About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the program
Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>切换到下一个窗格
下一窗格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>切换回前一个窗格
前一窗格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CAPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OVR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示或隐藏工具栏
显隐工具栏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
显隐状态栏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改变窗口大小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改变窗口位置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将窗口缩小成图标</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把窗口放大到最大尺寸</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>切换到下一个文档窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>切换到先前的文档窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭活动的窗口并提示保存所有文档</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把窗口恢复到正常大小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>激活任务表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭打印预览模式
取消预阅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开该文档</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SummaryCache</name>
    <message>
        <source>the summary cache &quot;%1&quot; cannot be removed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is no summary cache of this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its schema version is %1, this program&apos;s %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no summary cache: there is no home folder (HOME is not set) and no XDG_CACHE_HOME; every file is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no summary cache: the folder &quot;%1&quot; cannot be made; every file is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no summary cache: Qt&apos;s SQLite driver is not installed (package libqt6sql6-sqlite); every file is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no summary cache this time: &quot;%1&quot; cannot be used (%2); every file is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no summary cache: a new &quot;%1&quot; cannot be made (%2); every file is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no summary cache: &quot;%1&quot; cannot be used (%2) nor set aside (%3); every file is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the summary cache &quot;%1&quot; could not be used (%2): it was set aside as &quot;%3&quot;, and a new one is made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the summary cache &quot;%1&quot; could not be %2 (%3); the files are read as without it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an entry of it is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the summary cache &quot;%1&quot; keeps no more: its disk has %2 MB free, and it leaves %3 MB free; the files are read as without it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SummaryDialog</name>
    <message>
        <source>Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing fibers: %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failing fibers: being judged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file is shown: there is no summary to write.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SummaryJsonWriter</name>
    <message>
        <source>no rows</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SummaryTextWriter</name>
    <message>
        <source>too large to hold as a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(marginal)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 path could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 paths could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the path given could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of the %2 paths given could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 of the %1 paths found in the folders given could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of the %2 paths found in the folders given could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all of 1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all %1 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fiber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fibers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 marginal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SummaryWriter</name>
    <message>
        <source>no rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no channel has a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>worst channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lower limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>upper limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PASS (marginal)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>incomplete (1 row)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>incomplete (%1 rows)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no number</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SweepChart</name>
    <message>
        <source>%1: %2 % down to %3 dBm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 % at no limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; no retests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; repeatability %1 dB (the station&apos;s; %2 retests here)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; repeatability %1 dB from %2 retests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, guardband %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, proposed %1 dBm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 dBm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>proposed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in use</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SweepView</name>
    <message>
        <source>Yield against the lower limit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TabFiles</name>
    <message>
        <source>Reading %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>fail %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warn %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UCL %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LCL %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrendView</name>
    <message>
        <source>no time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark a Change Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Changes and Baseline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Every File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrendWriter</name>
    <message>
        <source>First row            Verdict  Passed/fibers   Yield</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Marginal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Worst  Least Cpk  File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lot: %1 of %2 fibers passed (%3), each counted once; %4 retested, %5 of them passed in the end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fails most at channel %1 (%2 fibers)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 passed the first time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WarningMarginDialog</name>
    <message>
        <source>&amp;Mark fibers that pass by less than</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning Margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning margin in dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A fiber that passes, but whose worst channel is less than this above its threshold, is marginal: it still passes. A margin equal to it is not marginal.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Wording</name>
    <message>
        <source>incomplete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>below threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>misaligned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>below limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>above limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>good</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of 1 fiber passes (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 fibers pass (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 marginal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 file, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 fibers passed (%3), each counted once; %4 retested, %5 of them passed in the end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; %1 passed the first time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; fails most at channel %1 (%2 fibers)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; %1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WorkbookExport</name>
    <message>
        <source>no number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Rows sheet is left out: the file&apos;s %1 rows are more than a sheet holds (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the first %1 of the file&apos;s %2 fibers are on this sheet, as many as it holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook could not be begun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped before the last row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its rows could not be read back from their temporary file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a sheet was cut short in its temporary file in %1 (is that disk full?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no temporary file for its rows: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its rows could not be kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>cannot start the window program %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
