<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AlarmList</name>
    <message>
        <source>Every channel&apos;s alarms</source>
        <translation>所有通道的报警</translation>
    </message>
    <message>
        <source>Raised</source>
        <translation>报警时间</translation>
    </message>
    <message>
        <source>Figure</source>
        <translation>指标</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>判异规则</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
</context>
<context>
    <name>CPreviewView</name>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>下一页(&amp;N)</translation>
    </message>
    <message>
        <source>Pre&amp;v Page</source>
        <translation>上一页(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Two Page</source>
        <translation>双页(&amp;T)</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>缩小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Pages %1-%2 of %3</source>
        <translation>第 %1-%2 页，共 %3 页</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>&amp;One Page</source>
        <translation>单页(&amp;O)</translation>
    </message>
</context>
<context>
    <name>CSDIQVLApp</name>
    <message>
        <source>Quenvale: %1</source>
        <translation>Quenvale: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer there. Take it off the recent files?</source>
        <translation>“%1”已不存在。要将其从最近文件列表中移除吗？</translation>
    </message>
</context>
<context>
    <name>CSDIQVLView</name>
    <message>
        <source>The report could not be printed on &quot;%1&quot;: %2</source>
        <translation>无法在“%1”上打印报告：%2</translation>
    </message>
</context>
<context>
    <name>ChannelColumns</name>
    <message>
        <source>Rows</source>
        <translation>行数</translation>
    </message>
    <message>
        <source>Failed rows</source>
        <translation>不合格行数</translation>
    </message>
    <message>
        <source>Failed fibers</source>
        <translation>不合格光纤数</translation>
    </message>
    <message>
        <source>Marginal fibers</source>
        <translation>临界光纤数</translation>
    </message>
    <message>
        <source>Numeric powers</source>
        <translation>数值功率行数</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>裕量行数</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>均值</translation>
    </message>
    <message>
        <source>Std dev</source>
        <translation>标准差</translation>
    </message>
    <message>
        <source>P01</source>
        <translation>P01</translation>
    </message>
    <message>
        <source>P50</source>
        <translation>P50</translation>
    </message>
    <message>
        <source>P95</source>
        <translation>P95</translation>
    </message>
    <message>
        <source>P99</source>
        <translation>P99</translation>
    </message>
    <message>
        <source>Lower limit</source>
        <translation>下限</translation>
    </message>
    <message>
        <source>Upper limit</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>容差带</translation>
    </message>
    <message>
        <source>Margin mean</source>
        <translation>裕量均值</translation>
    </message>
    <message>
        <source>Margin std dev</source>
        <translation>裕量标准差</translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation>Cpk</translation>
    </message>
    <message>
        <source>Failing share</source>
        <translation>不合格占比</translation>
    </message>
    <message>
        <source>Cpk observed</source>
        <translation>观测 Cpk</translation>
    </message>
    <message>
        <source>Capability</source>
        <translation>过程能力</translation>
    </message>
</context>
<context>
    <name>ChannelFiguresModel</name>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>WaveLength</source>
        <translation>波长</translation>
    </message>
</context>
<context>
    <name>ChannelList</name>
    <message>
        <source>fails: %1</source>
        <translation>不合格：%1</translation>
    </message>
</context>
<context>
    <name>ClearCacheJob</name>
    <message>
        <source>removed %1
</source>
        <translation>已删除 %1
</translation>
    </message>
    <message>
        <source>no summary cache in %1
</source>
        <translation>%1 中没有汇总缓存
</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Open(&amp;O)...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open Folder(&amp;D)...</source>
        <translation>打开文件夹(&amp;D)...</translation>
    </message>
    <message>
        <source>Open Database(&amp;B)...</source>
        <translation>打开数据库(&amp;B)...</translation>
    </message>
    <message>
        <source>Close(&amp;C)</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Save As(&amp;A)...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Export Workbook(&amp;W)...</source>
        <translation>导出工作簿(&amp;W)...</translation>
    </message>
    <message>
        <source>Compare(&amp;M)...</source>
        <translation>比较(&amp;M)...</translation>
    </message>
    <message>
        <source>Print(&amp;P)...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print Preview(&amp;V)</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Copy(&amp;C)</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Find Fiber(&amp;F)...</source>
        <translation>查找光纤(&amp;F)...</translation>
    </message>
    <message>
        <source>Show Verdicts(&amp;S)</source>
        <translation>显示判定(&amp;S)</translation>
    </message>
    <message>
        <source>Warning Margin(&amp;W)...</source>
        <translation>警告裕量(&amp;W)...</translation>
    </message>
    <message>
        <source>Limits(&amp;L)...</source>
        <translation>限值(&amp;L)...</translation>
    </message>
    <message>
        <source>Next Failing Fiber(&amp;N)</source>
        <translation>下一根不合格光纤(&amp;N)</translation>
    </message>
    <message>
        <source>Previous Failing Fiber(&amp;P)</source>
        <translation>上一根不合格光纤(&amp;P)</translation>
    </message>
    <message>
        <source>All Fibers(&amp;A)</source>
        <translation>全部光纤(&amp;A)</translation>
    </message>
    <message>
        <source>Failing Fibers Only(&amp;F)</source>
        <translation>仅不合格光纤(&amp;F)</translation>
    </message>
    <message>
        <source>Marginal Fibers Only(&amp;M)</source>
        <translation>仅临界光纤(&amp;M)</translation>
    </message>
    <message>
        <source>Incomplete Fibers Only(&amp;I)</source>
        <translation>仅不完整光纤(&amp;I)</translation>
    </message>
    <message>
        <source>Summary(&amp;U)...</source>
        <translation>汇总(&amp;U)...</translation>
    </message>
    <message>
        <source>Distributions(&amp;D)...</source>
        <translation>分布(&amp;D)...</translation>
    </message>
    <message>
        <source>About Quenvale(&amp;A)...</source>
        <translation>关于 Quenvale(&amp;A)...</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Next Tab</source>
        <translation>下一个标签页</translation>
    </message>
    <message>
        <source>Previous Tab</source>
        <translation>上一个标签页</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>Verdicts(&amp;V)</source>
        <translation>判定(&amp;V)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
</context>
<context>
    <name>CompareChart</name>
    <message>
        <source>A outlined</source>
        <translation>A 为空心</translation>
    </message>
    <message>
        <source>B filled; bars are shares of each side&apos;s values; * a shift beyond chance</source>
        <translation>B 为实心；柱高为各侧数值的占比；* 表示超出随机波动的偏移</translation>
    </message>
    <message>
        <source>no powers</source>
        <translation>无功率</translation>
    </message>
    <message>
        <source>%1: no fiber with a power on both sides</source>
        <translation>%1：没有两侧都有功率的光纤</translation>
    </message>
    <message>
        <source>%1: B - A fiber by fiber, %2 of them, mean %3 dB, 95 % interval %4</source>
        <translation>%1：逐根光纤 B - A，共 %2 根，均值 %3 dB，95 % 置信区间 %4</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>B passes</source>
        <translation>B 合格</translation>
    </message>
    <message>
        <source>B fails</source>
        <translation>B 不合格</translation>
    </message>
    <message>
        <source>A passes</source>
        <translation>A 合格</translation>
    </message>
    <message>
        <source>A fails</source>
        <translation>A 不合格</translation>
    </message>
    <message>
        <source>Co&amp;mpare</source>
        <translation>比较(&amp;M)</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>File...</source>
        <translation>文件...</translation>
    </message>
    <message>
        <source>Folder...</source>
        <translation>文件夹...</translation>
    </message>
    <message>
        <source>A:</source>
        <translation>A：</translation>
    </message>
    <message>
        <source>B:</source>
        <translation>B：</translation>
    </message>
    <message>
        <source>shift at p &lt; %1</source>
        <translation>偏移判据 p &lt; %1</translation>
    </message>
    <message>
        <source>Fibers on both sides</source>
        <translation>两侧共有的光纤</translation>
    </message>
    <message>
        <source>&amp;Save Image...</source>
        <translation>保存图像(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Name a file or a folder on each side, A and B.</source>
        <translation>请为 A、B 两侧各指定一个文件或文件夹。</translation>
    </message>
    <message>
        <source>Reading %1 and %2 ...</source>
        <translation>正在读取 %1 和 %2 ...</translation>
    </message>
    <message>
        <source>1 fiber on both sides; Cohen&apos;s kappa %2</source>
        <translation>两侧共有 1 根光纤；Cohen kappa 系数 %2</translation>
    </message>
    <message>
        <source>%1 fibers on both sides; Cohen&apos;s kappa %2</source>
        <translation>两侧共有 %1 根光纤；Cohen kappa 系数 %2</translation>
    </message>
    <message>
        <source>Nothing is compared yet: there is no image to save.</source>
        <translation>尚未比较：没有可保存的图像。</translation>
    </message>
</context>
<context>
    <name>CompareShiftModel</name>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>A n</source>
        <translation>A 样本数</translation>
    </message>
    <message>
        <source>A mean</source>
        <translation>A 均值</translation>
    </message>
    <message>
        <source>A std dev</source>
        <translation>A 标准差</translation>
    </message>
    <message>
        <source>A Cpk</source>
        <translation>A Cpk</translation>
    </message>
    <message>
        <source>B n</source>
        <translation>B 样本数</translation>
    </message>
    <message>
        <source>B mean</source>
        <translation>B 均值</translation>
    </message>
    <message>
        <source>B std dev</source>
        <translation>B 标准差</translation>
    </message>
    <message>
        <source>B Cpk</source>
        <translation>B Cpk</translation>
    </message>
    <message>
        <source>Shift (dB)</source>
        <translation>偏移 (dB)</translation>
    </message>
    <message>
        <source>95 % interval</source>
        <translation>95 % 置信区间</translation>
    </message>
    <message>
        <source>Welch p</source>
        <translation>Welch p</translation>
    </message>
    <message>
        <source>KS</source>
        <translation>KS</translation>
    </message>
    <message>
        <source>KS p</source>
        <translation>KS p</translation>
    </message>
    <message>
        <source>Paired fibers</source>
        <translation>配对光纤数</translation>
    </message>
    <message>
        <source>Paired shift (dB)</source>
        <translation>配对偏移 (dB)</translation>
    </message>
</context>
<context>
    <name>CompareView</name>
    <message>
        <source>Click a channel&apos;s panel to see its fibers&apos; differences, B - A.</source>
        <translation>单击某通道的面板，查看其各光纤的差值 B - A。</translation>
    </message>
</context>
<context>
    <name>CompareWriter</name>
    <message>
        <source>1 file</source>
        <translation>1 个文件</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 个文件</translation>
    </message>
    <message>
        <source>%1 unread</source>
        <translation>%1 个未读取</translation>
    </message>
    <message>
        <source>1 fiber</source>
        <translation>1 根光纤</translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation>%1 根光纤</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>A n</source>
        <translation>A n</translation>
    </message>
    <message>
        <source>mean</source>
        <translation>均值</translation>
    </message>
    <message>
        <source>sd</source>
        <translation>标准差</translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation>Cpk</translation>
    </message>
    <message>
        <source>B n</source>
        <translation>B n</translation>
    </message>
    <message>
        <source>shift</source>
        <translation>偏移</translation>
    </message>
    <message>
        <source>95 % interval</source>
        <translation>95 % 置信区间</translation>
    </message>
    <message>
        <source>Welch p</source>
        <translation>Welch p</translation>
    </message>
    <message>
        <source>KS</source>
        <translation>KS</translation>
    </message>
    <message>
        <source>KS p</source>
        <translation>KS p</translation>
    </message>
    <message>
        <source>* shifted: Welch p below %1</source>
        <translation>* 偏移：Welch p 低于 %1</translation>
    </message>
    <message>
        <source>Matched fibers: %1; verdicts (A/B) pass/pass %2, pass/fail %3, fail/pass %4, fail/fail %5; kappa %6</source>
        <translation>匹配光纤：%1；判定 (A/B) 合格/合格 %2，合格/不合格 %3，不合格/合格 %4，不合格/不合格 %5；kappa %6</translation>
    </message>
    <message>
        <source>fibers</source>
        <translation>光纤数</translation>
    </message>
    <message>
        <source>paired</source>
        <translation>配对偏移</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>注：%1</translation>
    </message>
</context>
<context>
    <name>Comparison</name>
    <message>
        <source>channel %1 is only in A</source>
        <translation>通道 %1 仅在 A 中</translation>
    </message>
    <message>
        <source>channel %1 is only in B</source>
        <translation>通道 %1 仅在 B 中</translation>
    </message>
    <message>
        <source>channel %1: too few powers for a test (%2 in A, %3 in B, two or more with a spread needed on each side)</source>
        <translation>通道 %1：功率值太少，无法检验（A 中 %2 个，B 中 %3 个；每侧至少需要两个且不全相同的值）</translation>
    </message>
    <message>
        <source>A has no fibers</source>
        <translation>A 中没有光纤</translation>
    </message>
    <message>
        <source>B has no fibers</source>
        <translation>B 中没有光纤</translation>
    </message>
    <message>
        <source>no fiber is on both sides</source>
        <translation>没有两侧共有的光纤</translation>
    </message>
    <message>
        <source>kappa cannot be told: every matched fiber has the same verdict on both sides</source>
        <translation>无法计算 kappa：所有匹配光纤在两侧的判定全都相同</translation>
    </message>
</context>
<context>
    <name>ControlWriter</name>
    <message>
        <source>channel %1 %2</source>
        <translation>通道 %1 %2</translation>
    </message>
    <message>
        <source>%1, %2, from %3 %4; raised at %5 (%6)</source>
        <translation>%1，%2，始于 %3 %4；于 %5 报警（%6）</translation>
    </message>
    <message>
        <source>alarms: none</source>
        <translation>报警：无</translation>
    </message>
    <message>
        <source>alarms: %1</source>
        <translation>报警：%1</translation>
    </message>
</context>
<context>
    <name>DistributionChart</name>
    <message>
        <source>Cpk -</source>
        <translation>Cpk -</translation>
    </message>
    <message>
        <source>Cpk %1 low</source>
        <translation>Cpk %1 偏低</translation>
    </message>
    <message>
        <source>Cpk %1 fair</source>
        <translation>Cpk %1 尚可</translation>
    </message>
    <message>
        <source>Cpk %1 good</source>
        <translation>Cpk %1 良好</translation>
    </message>
    <message>
        <source>Cpk obs. %1 %2 (%3)</source>
        <translation>Cpk obs. %1 %2（%3）</translation>
    </message>
    <message>
        <source>obs. %1 %2</source>
        <translation>obs. %1 %2</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 Low</source>
        <translation>%1 个 Low</translation>
    </message>
    <message>
        <source>%1 without a number</source>
        <translation>%1 个非数值</translation>
    </message>
    <message>
        <source>%1 below</source>
        <translation>%1 个低于</translation>
    </message>
    <message>
        <source>%1 above</source>
        <translation>%1 个高于</translation>
    </message>
    <message>
        <source> the axis</source>
        <translation> 坐标轴范围</translation>
    </message>
    <message>
        <source>%1 not in the histogram</source>
        <translation>%1 个未计入直方图</translation>
    </message>
    <message>
        <source>%1 not shown</source>
        <translation>%1 个未显示</translation>
    </message>
    <message>
        <source>no rows</source>
        <translation>无数据行</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>不合格 %1</translation>
    </message>
    <message>
        <source> nm</source>
        <translation> nm</translation>
    </message>
    <message>
        <source>upper limit %1 off the axis</source>
        <translation>上限 %1 超出坐标轴</translation>
    </message>
    <message>
        <source>lower limit %1 off the axis</source>
        <translation>下限 %1 超出坐标轴</translation>
    </message>
    <message>
        <source>threshold %1 off the axis</source>
        <translation>阈值 %1 超出坐标轴</translation>
    </message>
    <message>
        <source>no numeric power</source>
        <translation>无数值功率</translation>
    </message>
    <message>
        <source>no numeric power: %1</source>
        <translation>无数值功率：%1</translation>
    </message>
    <message>
        <source>%1 marginal</source>
        <translation>临界 %1</translation>
    </message>
</context>
<context>
    <name>DistributionDialog</name>
    <message>
        <source>&amp;Apply to Limits</source>
        <translation>应用到限值(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>重置(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Save Image...</source>
        <translation>保存图像(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Common axis</source>
        <translation>共用坐标轴(&amp;C)</translation>
    </message>
    <message>
        <source>All channels on one scale of dBm</source>
        <translation>所有通道使用同一 dBm 刻度</translation>
    </message>
    <message>
        <source> dBm</source>
        <translation> dBm</translation>
    </message>
    <message>
        <source>What-if lower limit of the marked channel</source>
        <translation>标记通道的假设下限</translation>
    </message>
    <message>
        <source>Try a lower limit for the marked channel; or drag its limit line</source>
        <translation>为标记的通道试用一个下限；也可拖动其限值线</translation>
    </message>
    <message>
        <source>unsaved limits</source>
        <translation>未保存的限值</translation>
    </message>
    <message>
        <source>&amp;What if the lower limit were</source>
        <translation>假设下限为(&amp;W)</translation>
    </message>
    <message>
        <source>Yield c&amp;urve</source>
        <translation>良率曲线(&amp;U)</translation>
    </message>
    <message>
        <source>The marked channel&apos;s yield against its lower limit</source>
        <translation>标记通道的良率随其下限的变化</translation>
    </message>
    <message>
        <source>Distributions - %1</source>
        <translation>分布 - %1</translation>
    </message>
    <message>
        <source>Distributions</source>
        <translation>分布</translation>
    </message>
    <message>
        <source>No file is shown.</source>
        <translation>未显示任何文件。</translation>
    </message>
    <message>
        <source>%1 is being judged...</source>
        <translation>正在判定 %1...</translation>
    </message>
    <message>
        <source>1 fiber</source>
        <translation>1 根光纤</translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation>%1 根光纤</translation>
    </message>
    <message>
        <source>%1: bin %2 to %3 dBm, %4</source>
        <translation>%1：区间 %2 至 %3 dBm，%4</translation>
    </message>
    <message>
        <source>what if</source>
        <translation>假设</translation>
    </message>
    <message>
        <source>What if %1 from %2 dBm: %3</source>
        <translation>假设 %1 的下限为 %2 dBm：%3</translation>
    </message>
</context>
<context>
    <name>DistributionHeading</name>
    <message>
        <source>1 fiber</source>
        <translation>1 根光纤</translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation>%1 根光纤</translation>
    </message>
    <message>
        <source>%1 of %2 pass (%3)</source>
        <translation>%2中 %1 根合格（%3）</translation>
    </message>
    <message>
        <source>, %1 marginal</source>
        <translation>，%1 根临界</translation>
    </message>
    <message>
        <source>, %1 marginal (below %2 dB)</source>
        <translation>，%1 根临界（低于 %2 dB）</translation>
    </message>
    <message>
        <source>, limits: %1</source>
        <translation>，限值：%1</translation>
    </message>
    <message>
        <source>threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>mean</source>
        <translation>均值</translation>
    </message>
    <message>
        <source>failing</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>marginal band</source>
        <translation>临界带</translation>
    </message>
    <message>
        <source>±3σ</source>
        <translation>±3σ</translation>
    </message>
</context>
<context>
    <name>DistributionView</name>
    <message>
        <source>Distributions of the channels</source>
        <translation>各通道的分布</translation>
    </message>
    <message>
        <source>Channel %1, %2 nm: %3, %4 failed</source>
        <translation>通道 %1，%2 nm：%3，%4 根不合格</translation>
    </message>
    <message>
        <source>what if</source>
        <translation>假设</translation>
    </message>
    <message>
        <source>%1: %2 to %3 dB, %4</source>
        <translation>%1：%2 至 %3 dB，%4</translation>
    </message>
    <message>
        <source>1 value</source>
        <translation>1 个值</translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation>%1 个值</translation>
    </message>
    <message>
        <source>, %1 failing</source>
        <translation>，%1 个不合格</translation>
    </message>
    <message>
        <source>Save Image...</source>
        <translation>保存图像...</translation>
    </message>
</context>
<context>
    <name>DocumentManager</name>
    <message>
        <source>it is a folder, not a file</source>
        <translation>它是文件夹，不是文件</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2 files are open already. Close a tab first.</source>
        <translation>无法打开“%1”：已打开 %2 个文件。请先关闭一个标签页。</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>不可读</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>不存在</translation>
    </message>
    <message>
        <source>every station</source>
        <translation>所有工位</translation>
    </message>
    <message>
        <source>%1 (database)</source>
        <translation>%1（数据库）</translation>
    </message>
    <message>
        <source>%1 new alarms; the last: %2</source>
        <translation>%1 条新报警；最近一条：%2</translation>
    </message>
</context>
<context>
    <name>ExportCommands</name>
    <message>
        <source>No file is shown: there is no workbook to write.</source>
        <translation>未显示任何文件：没有可写入的工作簿。</translation>
    </message>
    <message>
        <source>Writing the workbook %1...</source>
        <translation>正在写入工作簿 %1...</translation>
    </message>
    <message>
        <source>stopped before the last row</source>
        <translation>在最后一行之前已停止</translation>
    </message>
    <message>
        <source>A lot of the database has no folder to read its rows from: there is no workbook to write.</source>
        <translation>数据库中的批次没有可读取其行的文件夹：没有可写的工作簿。</translation>
    </message>
</context>
<context>
    <name>FactoryDatabase</name>
    <message>
        <source>%1: %2: %3</source>
        <translation>%1: %2: %3</translation>
    </message>
    <message>
        <source>cannot connect</source>
        <translation>无法连接</translation>
    </message>
    <message>
        <source>Qt&apos;s PostgreSQL driver is not installed (Debian: libqt6sql6-psql)</source>
        <translation>未安装 Qt 的 PostgreSQL 驱动（Debian: libqt6sql6-psql）</translation>
    </message>
    <message>
        <source>not a database&apos;s URL</source>
        <translation>不是数据库的 URL</translation>
    </message>
    <message>
        <source>a password is not taken from the command line</source>
        <translation>不接受从命令行给出的密码</translation>
    </message>
    <message>
        <source>give it in ~/.pgpass or PGPASSWORD</source>
        <translation>请在 ~/.pgpass 或 PGPASSWORD 中给出</translation>
    </message>
    <message>
        <source>cannot keep %1</source>
        <translation>无法保存 %1</translation>
    </message>
    <message>
        <source>cannot read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>its summary in the database is not one this Quenvale reads</source>
        <translation>其在数据库中的汇总不是此版本 Quenvale 能读取的格式</translation>
    </message>
</context>
<context>
    <name>FactorySchema</name>
    <message>
        <source>cannot begin</source>
        <translation>无法开始事务</translation>
    </message>
    <message>
        <source>cannot make the schema</source>
        <translation>无法创建模式</translation>
    </message>
    <message>
        <source>cannot use it</source>
        <translation>无法使用</translation>
    </message>
    <message>
        <source>its schema is version %1, newer than this Quenvale&apos;s (%2): update Quenvale</source>
        <translation>其模式版本为 %1，比此 Quenvale 的版本（%2）新：请更新 Quenvale</translation>
    </message>
    <message>
        <source>its table quenvale_file is not as Quenvale made it</source>
        <translation>其 quenvale_file 表与 Quenvale 创建的不一致</translation>
    </message>
    <message>
        <source>its table quenvale_row is not as Quenvale made it</source>
        <translation>其 quenvale_row 表与 Quenvale 创建的不一致</translation>
    </message>
</context>
<context>
    <name>FailingFibersModel</name>
    <message>
        <source>Fiber</source>
        <translation>光纤</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>Failed channels</source>
        <translation>不合格通道</translation>
    </message>
    <message>
        <source>Worst channel</source>
        <translation>最差通道</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>裕量</translation>
    </message>
</context>
<context>
    <name>FiberFindBar</name>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Shows the fibers whose names hold this text; Enter or Down chooses the first, Esc shows them all again</source>
        <translation>显示名称包含此文本的光纤；按 Enter 或 Down 选择第一根，按 Esc 重新显示全部</translation>
    </message>
    <message>
        <source>&amp;Failing Fibers Only</source>
        <translation>仅不合格光纤(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Marginal Fibers Only</source>
        <translation>仅临界光纤(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Incomplete Fibers Only</source>
        <translation>仅不完整光纤(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;All Fibers</source>
        <translation>全部光纤(&amp;A)</translation>
    </message>
    <message>
        <source>fibers</source>
        <translation>光纤</translation>
    </message>
    <message>
        <source>failing</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>marginal</source>
        <translation>临界</translation>
    </message>
    <message>
        <source>incomplete</source>
        <translation>不完整</translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation>%3：%1 / %2</translation>
    </message>
    <message>
        <source>%1/%2 %3</source>
        <translation>%3 %1/%2</translation>
    </message>
    <message>
        <source>%1/%2</source>
        <translation>%1/%2</translation>
    </message>
    <message>
        <source>%1 %2, %3 shown</source>
        <translation>%2：%1，显示 %3</translation>
    </message>
    <message>
        <source>%1 %2, %3</source>
        <translation>%2 %1，%3</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>1 fiber</source>
        <translation>1 根光纤</translation>
    </message>
    <message>
        <source>%1 fibers</source>
        <translation>%1 根光纤</translation>
    </message>
    <message>
        <source>Which fibers the box lists: %1</source>
        <translation>光纤列表框列出的光纤：%1</translation>
    </message>
    <message>
        <source>Verdict filter: %1</source>
        <translation>判定筛选：%1</translation>
    </message>
</context>
<context>
    <name>FiberListModel</name>
    <message>
        <source>passes</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>passes, marginal</source>
        <translation>合格，临界</translation>
    </message>
    <message>
        <source>fails</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>being written</source>
        <translation>正在写入</translation>
    </message>
    <message>
        <source>%1 is being written: %2 of 18 rows so far</source>
        <translation>%1 正在写入：目前已有 18 行中的 %2 行</translation>
    </message>
    <message>
        <source>%1 passes, within a channel&apos;s band</source>
        <translation>%1 合格，处于某通道的容差带内</translation>
    </message>
    <message>
        <source>%1 passes, by less than the warning margin of %2 dB</source>
        <translation>%1 合格，但裕量小于警告裕量 %2 dB</translation>
    </message>
    <message>
        <source>%1 passes</source>
        <translation>%1 合格</translation>
    </message>
    <message>
        <source>%1 fails: %2</source>
        <translation>%1 不合格：%2</translation>
    </message>
    <message>
        <source> at %1</source>
        <translation> 位于通道 %1</translation>
    </message>
    <message>
        <source>; worst channel %1, margin %2</source>
        <translation>；最差通道 %1，裕量 %2</translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>无法读取“%1”：%2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>无法写入“%1”：%2</translation>
    </message>
</context>
<context>
    <name>FileReader</name>
    <message>
        <source>no thread could be started to read it</source>
        <translation>无法启动读取它的线程</translation>
    </message>
    <message>
        <source>it is too big for the memory of this computer</source>
        <translation>文件太大，超出本机内存</translation>
    </message>
</context>
<context>
    <name>ImageFiles</name>
    <message>
        <source>PNG image (*.png);;SVG image (*.svg);;PDF document (*.pdf)</source>
        <translation>PNG 图像 (*.png);;SVG 图像 (*.svg);;PDF 文档 (*.pdf)</translation>
    </message>
</context>
<context>
    <name>Limits</name>
    <message>
        <source>%1: line %2: %3</source>
        <translation>%1：第 %2 行：%3</translation>
    </message>
    <message>
        <source>%1: line %2, column %3: %4</source>
        <translation>%1：第 %2 行，第 %3 列：%4</translation>
    </message>
    <message>
        <source>bytes that are not UTF-8</source>
        <translation>含有非 UTF-8 字节</translation>
    </message>
    <message>
        <source>the header must be channel,lower,upper,warn</source>
        <translation>表头必须为 channel,lower,upper,warn</translation>
    </message>
    <message>
        <source>%1 cells where there must be 4</source>
        <translation>有 %1 个单元格，应为 4 个</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a channel (01 to 18)</source>
        <translation>“%1”不是通道（01 到 18）</translation>
    </message>
    <message>
        <source>channel %1 is listed again (first on line %2)</source>
        <translation>通道 %1 重复列出（首次出现在第 %2 行）</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>“%1”不是数值</translation>
    </message>
    <message>
        <source>a band of %1 dB: it must be 0 or more</source>
        <translation>容差带为 %1 dB：必须大于或等于 0</translation>
    </message>
    <message>
        <source>lower %1 is above upper %2</source>
        <translation>下限 %1 高于上限 %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: more than 1 MB, not a file of limits</source>
        <translation>%1：大于 1 MB，不是限值文件</translation>
    </message>
</context>
<context>
    <name>LimitsDialog</name>
    <message>
        <source>Limits</source>
        <translation>限值</translation>
    </message>
    <message>
        <source>Lower (dBm)</source>
        <translation>下限 (dBm)</translation>
    </message>
    <message>
        <source>Upper (dBm)</source>
        <translation>上限 (dBm)</translation>
    </message>
    <message>
        <source>Band (dB)</source>
        <translation>容差带 (dB)</translation>
    </message>
    <message>
        <source>An empty lower limit keeps each row&apos;s own threshold; an empty upper limit or band sets none. A fiber passes within a band of its limits as marginal.</source>
        <translation>下限为空时沿用每行自身的阈值；上限或容差带为空时不设定。光纤在其限值的容差带内合格时判为临界。</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>加载(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>另存为(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>清除(&amp;C)</translation>
    </message>
    <message>
        <source>unsaved limits</source>
        <translation>未保存的限值</translation>
    </message>
    <message>
        <source>line 2</source>
        <translation>第 2 行</translation>
    </message>
    <message>
        <source>channel %1</source>
        <translation>通道 %1</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>来自 %1</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>未保存</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>LotControl</name>
    <message>
        <source>channel %1&apos;s %2</source>
        <translation>通道 %1 %2</translation>
    </message>
    <message>
        <source>The rules need %1 files for a baseline; the files from %2 on are %3: no alarms from them.</source>
        <translation>判异规则需要 %1 个文件作为基线；自第 %2 个文件起只有 %3 个文件：不据此报警。</translation>
    </message>
    <message>
        <source>The baseline of %1 from file %2 has no spread: its limits stand on the centre.</source>
        <translation>%1 自文件 %2 起的基线没有离散：其控制限与中心线重合。</translation>
    </message>
    <message>
        <source>Cpk below %1</source>
        <translation>Cpk 低于 %1</translation>
    </message>
    <message>
        <source>rule %1: %2</source>
        <translation>规则 %1：%2</translation>
    </message>
    <message>
        <source>yield</source>
        <translation>良率</translation>
    </message>
    <message>
        <source>margin mean</source>
        <translation>裕量均值</translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation>Cpk</translation>
    </message>
</context>
<context>
    <name>LotDistributionsDialog</name>
    <message>
        <source>&amp;Save Image...</source>
        <translation>保存图像(&amp;S)...</translation>
    </message>
    <message>
        <source>Distributions - %1</source>
        <translation>分布 - %1</translation>
    </message>
    <message>
        <source>database</source>
        <translation>数据库</translation>
    </message>
    <message>
        <source>A lot of the database has no rows here to draw: its files&apos; summaries alone.</source>
        <translation>数据库中的批次在此没有可绘制的行，只有各文件的汇总。</translation>
    </message>
    <message>
        <source>%1 is being read...</source>
        <translation>正在读取 %1...</translation>
    </message>
    <message>
        <source>%1, %2 files, each fiber once</source>
        <translation>%1，%2 个文件，每根光纤计一次</translation>
    </message>
    <message>
        <source>%1 distributions</source>
        <translation>%1 分布</translation>
    </message>
</context>
<context>
    <name>LotModel</name>
    <message>
        <source>%1: deleted since it was read</source>
        <translation>%1：读取后已被删除</translation>
    </message>
    <message>
        <source>%1: still being written</source>
        <translation>%1：仍在写入</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>未读取</translation>
    </message>
    <message>
        <source>First row</source>
        <translation>首行时间</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Fibers</source>
        <translation>光纤数</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>合格数</translation>
    </message>
    <message>
        <source>Marginal</source>
        <translation>临界数</translation>
    </message>
    <message>
        <source>Yield</source>
        <translation>良率</translation>
    </message>
    <message>
        <source>Worst channel</source>
        <translation>最差通道</translation>
    </message>
    <message>
        <source>Least Cpk</source>
        <translation>最小 Cpk</translation>
    </message>
</context>
<context>
    <name>LotReport</name>
    <message>
        <source>First row</source>
        <translation>首行时间</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Fibers</source>
        <translation>光纤数</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>合格数</translation>
    </message>
    <message>
        <source>Yield</source>
        <translation>良率</translation>
    </message>
    <message>
        <source>Worst</source>
        <translation>最差</translation>
    </message>
    <message>
        <source>Least Cpk</source>
        <translation>最小 Cpk</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>打印于 %1</translation>
    </message>
    <message>
        <source>No alarms</source>
        <translation>无报警</translation>
    </message>
    <message>
        <source>Alarms: %1</source>
        <translation>报警：%1</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 条</translation>
    </message>
</context>
<context>
    <name>LotScan</name>
    <message>
        <source>%1: changed while it was read</source>
        <translation>%1：读取期间已更改</translation>
    </message>
</context>
<context>
    <name>LotTrend</name>
    <message>
        <source>First-pass yield</source>
        <translation>首次良率</translation>
    </message>
    <message>
        <source>Final yield</source>
        <translation>最终良率</translation>
    </message>
    <message>
        <source>Yield</source>
        <translation>良率</translation>
    </message>
    <message>
        <source>Margin mean, channel %1</source>
        <translation>裕量均值，通道 %1</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Cpk, channel %1</source>
        <translation>Cpk，通道 %1</translation>
    </message>
    <message>
        <source>lot %1</source>
        <translation>批次 %1</translation>
    </message>
</context>
<context>
    <name>LotView</name>
    <message>
        <source>Subfolders</source>
        <translation>子文件夹</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Each file&apos;s</source>
        <translation>逐文件</translation>
    </message>
    <message>
        <source>First pass</source>
        <translation>一次合格</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>最终</translation>
    </message>
    <message>
        <source> files</source>
        <translation> 个文件</translation>
    </message>
    <message>
        <source>The files at the start of the lot, or of each change, that the control limits are taken from; Shift and drag on the chart to pick others.</source>
        <translation>控制限所依据的批次开头（或每次变更后开头）的文件；在图表上按住 Shift 拖动可另选。</translation>
    </message>
    <message>
        <source>Find a file</source>
        <translation>查找文件</translation>
    </message>
    <message>
        <source>Reading %v of %m files</source>
        <translation>正在读取第 %v 个文件，共 %m 个</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>查找：</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>通道：</translation>
    </message>
    <message>
        <source>Across:</source>
        <translation>横轴：</translation>
    </message>
    <message>
        <source>Yield:</source>
        <translation>良率：</translation>
    </message>
    <message>
        <source>Baseline:</source>
        <translation>基线：</translation>
    </message>
    <message>
        <source>%1 trend</source>
        <translation>%1 趋势</translation>
    </message>
    <message>
        <source>Reading %1 ...</source>
        <translation>正在读取 %1 ...</translation>
    </message>
</context>
<context>
    <name>LotWorkbook</name>
    <message>
        <source>the workbook could not be begun</source>
        <translation>无法开始创建工作簿</translation>
    </message>
    <message>
        <source>stopped before the last row</source>
        <translation>在最后一行之前已停止</translation>
    </message>
</context>
<context>
    <name>Misalignment</name>
    <message>
        <source>1 byte long</source>
        <translation>1 字节</translation>
    </message>
    <message>
        <source>%1 bytes long</source>
        <translation>%1 字节</translation>
    </message>
    <message>
        <source>more than %1 bytes long</source>
        <translation>超过 %1 字节</translation>
    </message>
    <message>
        <source>line %1 is %2; rows after it are not aligned</source>
        <translation>第 %1 行长 %2；其后各行未对齐</translation>
    </message>
</context>
<context>
    <name>OpenDatabaseDialog</name>
    <message>
        <source>every station</source>
        <translation>所有工位</translation>
    </message>
    <message>
        <source>2018-05-21 or 2018-05-21T14:00</source>
        <translation>2018-05-21 或 2018-05-21T14:00</translation>
    </message>
    <message>
        <source>no end</source>
        <translation>无截止</translation>
    </message>
    <message>
        <source>Open Database</source>
        <translation>打开数据库</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>数据库：</translation>
    </message>
    <message>
        <source>Stations (by commas):</source>
        <translation>工位（以逗号分隔）：</translation>
    </message>
    <message>
        <source>First rows from:</source>
        <translation>首行时间不早于：</translation>
    </message>
    <message>
        <source>Before:</source>
        <translation>早于：</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no date: 2018-05-21, or 2018-05-21T14:00</source>
        <translation>&quot;%1&quot; 不是日期：应为 2018-05-21 或 2018-05-21T14:00</translation>
    </message>
    <message>
        <source>Name a database: postgresql://USER@HOST/DB, or service=NAME.</source>
        <translation>请指定数据库：postgresql://USER@HOST/DB 或 service=NAME。</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>Keep each result file of the paths given, summed up, in the factory&apos;s PostgreSQL database at URL (postgresql://USER@HOST/DB, or service=NAME); a file pushed again unchanged adds nothing; then exit.</source>
        <translation>将给定路径下每个结果文件的汇总保存到位于 URL 的工厂 PostgreSQL 数据库（postgresql://USER@HOST/DB 或 service=NAME）；未更改的文件再次上传不会新增任何内容；然后退出。</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>The station the files of --push are of (this machine&apos;s name by default); with --trend URL, the station whose files are read (once for each; every station&apos;s by default).</source>
        <translation>--push 的文件所属的工位（默认为本机名称）；与 --trend URL 一起使用时，为要读取其文件的工位（每个工位给一次该选项；默认为所有工位）。</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>With --push: each file&apos;s rows too, every field as the file has it.</source>
        <translation>与 --push 一起使用：同时上传每个文件的各行，每个字段保持文件中的原样。</translation>
    </message>
    <message>
        <source>With --trend URL: the files whose first row is at T or later.</source>
        <translation>与 --trend URL 一起使用：首行时间不早于 T 的文件。</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>With --trend URL: the files whose first row is before T.</source>
        <translation>与 --trend URL 一起使用：首行时间早于 T 的文件。</translation>
    </message>
    <message>
        <source>--%1 needs a database: postgresql://USER@HOST/DB or service=NAME (%2)</source>
        <translation>--%1 需要一个数据库：postgresql://USER@HOST/DB 或 service=NAME（%2）</translation>
    </message>
    <message>
        <source>--trend URL reads summaries judged by the rows&apos; thresholds: it takes no --warn-margin or --limits</source>
        <translation>--trend URL 读取的是按各行阈值判定的汇总：不接受 --warn-margin 或 --limits</translation>
    </message>
    <message>
        <source>--%1 is only for --push and --trend URL</source>
        <translation>--%1 只能与 --push 和 --trend URL 一起使用</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 重复给出</translation>
    </message>
    <message>
        <source>--%1 needs a name</source>
        <translation>--%1 需要一个名称</translation>
    </message>
    <message>
        <source>--%1 is only for --push</source>
        <translation>--%1 只能与 --push 一起使用</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>未知选项 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--%1 needs a value, not an empty text</source>
        <translation>--%1 需要一个值，不能为空</translation>
    </message>
    <message>
        <source>--%1 needs a value, but &apos;%2&apos; follows it (write ./%2 for a file of that name)</source>
        <translation>--%1 需要一个值，但其后是 &apos;%2&apos;（若指该名称的文件，请写作 ./%2）</translation>
    </message>
    <message>
        <source>--%1 is only for %2</source>
        <translation>--%1 只能与 %2 一起使用</translation>
    </message>
    <message>
        <source>--%1 %2: unknown value, use %3</source>
        <translation>--%1 %2: 未知的值，请使用 %3</translation>
    </message>
    <message>
        <source>--%1 is only for --summary, --trend, --sweep, --compare, --plot, --export-xlsx or --print-pdf --verdicts</source>
        <translation>--%1 只能与 --summary、--trend、--sweep、--compare、--plot、--export-xlsx 或 --print-pdf --verdicts 一起使用</translation>
    </message>
    <message>
        <source>--%1 compares two paths, A and B (%2 given)</source>
        <translation>--%1 比较两个路径 A 和 B（给出了 %2 个）</translation>
    </message>
    <message>
        <source>--%1 is only for --%2</source>
        <translation>--%1 只能与 --%2 一起使用</translation>
    </message>
    <message>
        <source>--%1 is only for --%2 and --push</source>
        <translation>--%1 只能与 --%2 和 --push 一起使用</translation>
    </message>
    <message>
        <source>--%1 writes JSON lines; --format is jsonl or not given</source>
        <translation>--%1 输出 JSON 行；--format 须为 jsonl 或不指定</translation>
    </message>
    <message>
        <source>%1 cannot be given together: one job at a time</source>
        <translation>%1 不能同时给出：一次只能执行一项任务</translation>
    </message>
    <message>
        <source>--%1 is only for --%2 and --%3</source>
        <translation>--%1 只能与 --%2 和 --%3 一起使用</translation>
    </message>
    <message>
        <source>--%1 is only for --print-pdf</source>
        <translation>--%1 只能与 --print-pdf 一起使用</translation>
    </message>
    <message>
        <source>--%1 takes no files (%2)</source>
        <translation>--%1 不接受文件（%2）</translation>
    </message>
    <message>
        <source>--%1 needs at least one result file or folder</source>
        <translation>--%1 需要至少一个结果文件或文件夹</translation>
    </message>
    <message>
        <source>--%1 needs at least one result file</source>
        <translation>--%1 需要至少一个结果文件</translation>
    </message>
    <message>
        <source>--%1 watches one folder</source>
        <translation>--%1 只能监视一个文件夹</translation>
    </message>
    <message>
        <source>--%1 writes files only; name a file or a folder</source>
        <translation>--%1 只写入文件；请指定一个文件或文件夹</translation>
    </message>
    <message>
        <source>Write the CSV export of the result files to OUT: a file (one result file), an existing folder, or - for standard output; then exit.</source>
        <translation>将结果文件的 CSV 导出写到 OUT：一个文件（仅一个结果文件时）、一个已有文件夹，或用 - 表示标准输出；然后退出。</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>OUT</translation>
    </message>
    <message>
        <source>Write the printed report of the result files as PDF to OUT: a file (one result file) or an existing folder; then exit.</source>
        <translation>将结果文件的打印报告以 PDF 写到 OUT：一个文件（仅一个结果文件时）或一个已有文件夹；然后退出。</translation>
    </message>
    <message>
        <source>With --print-pdf: the report with each fiber&apos;s verdict, the yield, the channels&apos; statistics and distributions, and the failing fibers.</source>
        <translation>与 --print-pdf 一起使用：报告中包含每根光纤的判定、良率、各通道的统计量和分布，以及不合格光纤。</translation>
    </message>
    <message>
        <source>Paper of the PDF report: A4 (default) or Letter. A page too short for the report is scaled to fit.</source>
        <translation>PDF 报告的纸张：A4（默认）或 Letter。页面放不下报告时按比例缩小以适应页面。</translation>
    </message>
    <message>
        <source>A4|Letter</source>
        <translation>A4|Letter</translation>
    </message>
    <message>
        <source>Judge every fiber of the result files and folders given against its thresholds and write the verdicts to standard output; then exit.</source>
        <translation>按阈值判定给定结果文件和文件夹中的每根光纤，并将判定写到标准输出；然后退出。</translation>
    </message>
    <message>
        <source>Take the result files and folders given together as a lot: a line per file in time order and the lot&apos;s yield with retests counted once, to standard output; then exit.</source>
        <translation>将给定的结果文件和文件夹合为一个批次：按时间顺序每个文件一行，以及复测只计一次的批次良率，输出到标准输出；然后退出。</translation>
    </message>
    <message>
        <source>Remove the summary cache (and what was set aside beside it); then exit.</source>
        <translation>删除汇总缓存（以及存放在其旁边的留存内容）；然后退出。</translation>
    </message>
    <message>
        <source>Format of --summary and --trend: text (default), json, jsonl or csv; of --plot: png, svg or pdf (default: OUT&apos;s extension, png in a folder).</source>
        <translation>--summary 和 --trend 的格式：text（默认）、json、jsonl 或 csv；--plot 的格式：png、svg 或 pdf（默认取 OUT 的扩展名，输出到文件夹时为 png）。</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>Marginal band of --summary, --trend, --plot, --export-xlsx and --print-pdf --verdicts: a fiber that passes with a worst margin below DB dB is marginal (it still passes).</source>
        <translation>--summary、--trend、--plot、--export-xlsx 和 --print-pdf --verdicts 的临界容差带：合格但最差裕量低于 DB dB 的光纤为临界光纤（仍算合格）。</translation>
    </message>
    <message>
        <source>DB</source>
        <translation>DB</translation>
    </message>
    <message>
        <source>Judge by the limits in FILE (CSV: channel,lower,upper,warn) instead of each row&apos;s threshold, for --summary, --trend, --sweep, --compare, --plot, --export-xlsx and --print-pdf --verdicts.</source>
        <translation>对 --summary、--trend、--sweep、--compare、--plot、--export-xlsx 和 --print-pdf --verdicts，按 FILE 中的限值（CSV: channel,lower,upper,warn）而非每行的阈值进行判定。</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>For each channel of the result files and folders given, the fiber yield as that channel&apos;s lower limit moves from its least power to its greatest, the limit that gives the target yield, and a guardband from the fibers measured more than once, to standard output; then exit.</source>
        <translation>对给定结果文件和文件夹的每个通道，将该通道下限从最小功率移至最大功率时的光纤良率、达到目标良率的限值，以及由多次测量的光纤得出的保护带，输出到标准输出；然后退出。</translation>
    </message>
    <message>
        <source>Compare two result files or folders, A and B: each channel&apos;s shift of the mean with its interval and tests, and how far the verdicts of the fibers on both sides agree, to standard output; then exit.</source>
        <translation>比较两个结果文件或文件夹 A 和 B：将每个通道均值的偏移及其区间和检验结果，以及两侧共有光纤的判定一致程度，输出到标准输出；然后退出。</translation>
    </message>
    <message>
        <source>The p-value below which --compare calls a shift significant: 0.001 by default.</source>
        <translation>--compare 认定偏移显著的 p 值上限（低于此值即显著）：默认为 0.001。</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <source>With --trend: control limits of each channel&apos;s margin mean, of the yield and of Cpk, and the alarms of the run rules; exit status 3 when any is raised.</source>
        <translation>与 --trend 一起使用：输出每个通道裕量均值、良率和 Cpk 的控制限，以及判异规则的报警；出现任何报警时退出状态为 3。</translation>
    </message>
    <message>
        <source>The files at the lot&apos;s start that the control limits of --trend --rules are taken from: 20 by default.</source>
        <translation>批次开头用于计算 --trend --rules 控制限的文件数：默认为 20。</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>With --trend --rules: keep watching the folders and write each alarm as a JSON line as it is raised, until stopped.</source>
        <translation>与 --trend --rules 一起使用：持续监视这些文件夹，每出现一个报警即写出一行 JSON，直到被停止。</translation>
    </message>
    <message>
        <source>The one channel --sweep sweeps.</source>
        <translation>--sweep 扫描的单个通道。</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>CH</translation>
    </message>
    <message>
        <source>The step of --sweep&apos;s limits: 0.01 dB by default.</source>
        <translation>--sweep 限值的步长：默认为 0.01 dB。</translation>
    </message>
    <message>
        <source>The yield --sweep looks for a limit of, in percent: 99 by default.</source>
        <translation>--sweep 为之寻找限值的目标良率（百分比）：默认为 99。</translation>
    </message>
    <message>
        <source>PCT</source>
        <translation>PCT</translation>
    </message>
    <message>
        <source>Draw the distribution of every channel&apos;s powers and the Pareto of failures of the result files as images to OUT: a file (one result file; .png, .svg or .pdf) or an existing folder; then exit.</source>
        <translation>将结果文件每个通道的功率分布和不合格帕累托图绘制为图像写到 OUT：一个文件（仅一个结果文件时；.png、.svg 或 .pdf）或一个已有文件夹；然后退出。</translation>
    </message>
    <message>
        <source>Write the workbook (XLSX) of the result files to OUT: a file (one result file) or an existing folder; then exit.</source>
        <translation>将结果文件的工作簿（XLSX）写到 OUT：一个文件（仅一个结果文件时）或一个已有文件夹；然后退出。</translation>
    </message>
    <message>
        <source>Size of --plot&apos;s image in pixels (default 1920x1080).</source>
        <translation>--plot 图像的尺寸，单位为像素（默认 1920x1080）。</translation>
    </message>
    <message>
        <source>WxH</source>
        <translation>WxH</translation>
    </message>
    <message>
        <source>files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Result files (.fib): opened in the window (a folder as a lot of its files), or read by --export-csv, --export-xlsx, --print-pdf or --plot.</source>
        <translation>结果文件（.fib）：在窗口中打开（文件夹作为由其中文件组成的批次打开），或由 --export-csv、--export-xlsx、--print-pdf 或 --plot 读取。</translation>
    </message>
    <message>
        <source>[FILE.fib...]</source>
        <translation>[FILE.fib...]</translation>
    </message>
    <message>
        <source>--plot %1: name a file ending in .png, .svg or .pdf, or give --format</source>
        <translation>--plot %1: 请指定以 .png、.svg 或 .pdf 结尾的文件名，或给出 --format</translation>
    </message>
    <message>
        <source>%1: station %2: %3 added, %4 replaced, %5 already there
</source>
        <translation>%1: 工位 %2: 新增 %3 个，替换 %4 个，已存在 %5 个
</translation>
    </message>
    <message>
        <source>no channel %1 in the result files</source>
        <translation>结果文件中没有通道 %1</translation>
    </message>
    <message>
        <source>--%1 --%2 is a report of its own: it takes no --%3</source>
        <translation>--%1 --%2 是单独的一种报告：不接受 --%3</translation>
    </message>
    <message>
        <source>--%1 takes one folder</source>
        <translation>--%1 只接受一个文件夹</translation>
    </message>
    <message>
        <source>With --export-xlsx or --print-pdf: take the folder given as a lot, its workbook or report a row per file, the channels&apos; figures and a row per fiber, retests counted once.</source>
        <translation>与 --export-xlsx 或 --print-pdf 一起使用：把给出的文件夹作为一个批次，其工作簿或报告每个文件一行，含各通道的数字，每根光纤一行，复测只计一次。</translation>
    </message>
    <message>
        <source>Read every file of --trend, --compare or --export-xlsx --lot again, neither using nor changing the summary cache.</source>
        <translation>重新读取 --trend、--compare 或 --export-xlsx --lot 的每个文件，既不使用也不改动汇总缓存。</translation>
    </message>
</context>
<context>
    <name>OutputStream</name>
    <message>
        <source>it is closed</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>Cannot write to standard output: %1</source>
        <translation>无法写入标准输出: %1</translation>
    </message>
</context>
<context>
    <name>ParetoChart</name>
    <message>
        <source>No fiber failed</source>
        <translation>没有不合格的光纤</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另有 %1 项</translation>
    </message>
    <message>
        <source>Failing fibers by channel</source>
        <translation>按通道统计的不合格光纤</translation>
    </message>
    <message>
        <source>by reason</source>
        <translation>按原因</translation>
    </message>
</context>
<context>
    <name>PostgresRows</name>
    <message>
        <source>not connected</source>
        <translation>未连接</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>A lot of the database has no folder to read its rows from: there is no report to print.</source>
        <translation>数据库中的批次没有可读取其行的文件夹：没有可打印的报告。</translation>
    </message>
    <message>
        <source>Reading the lot %1...</source>
        <translation>正在读取批次 %1...</translation>
    </message>
</context>
<context>
    <name>PushFollower</name>
    <message>
        <source>%1: the files wait until it can be reached again</source>
        <translation>%1: 文件将等待，直到可以再次连接</translation>
    </message>
    <message>
        <source>%1: reached again; pushing the file waiting</source>
        <translation>%1: 已重新连接；正在上传等待中的文件</translation>
    </message>
    <message>
        <source>%1: reached again; pushing the %2 files waiting</source>
        <translation>%1: 已重新连接；正在上传等待中的 %2 个文件</translation>
    </message>
</context>
<context>
    <name>PushSpool</name>
    <message>
        <source>the spool %1: %2%3</source>
        <translation>待传队列 %1: %2%3</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>无法创建其文件夹</translation>
    </message>
    <message>
        <source>it cannot be opened</source>
        <translation>无法打开</translation>
    </message>
    <message>
        <source>it cannot be made</source>
        <translation>无法创建</translation>
    </message>
    <message>
        <source>%1 has no summary to keep</source>
        <translation>%1 没有可保存的汇总</translation>
    </message>
    <message>
        <source>%1 cannot be kept</source>
        <translation>无法保存 %1</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>an entry cannot be dropped</source>
        <translation>无法删除条目</translation>
    </message>
</context>
<context>
    <name>QMenu</name>
    <message>
        <source>Save Image...</source>
        <translation>保存图像...</translation>
    </message>
</context>
<context>
    <name>Quenvale</name>
    <message>
        <source>not enough memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>it is too big for the memory of this computer</source>
        <translation>太大，本机内存无法容纳</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>这是文件夹，不是文件</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>Stopped before &quot;%1&quot; was written</source>
        <translation>在写入 &quot;%1&quot; 之前已停止</translation>
    </message>
    <message>
        <source>the image could not be drawn</source>
        <translation>无法绘制图像</translation>
    </message>
    <message>
        <source>not enough memory to draw it</source>
        <translation>内存不足，无法绘制</translation>
    </message>
    <message>
        <source>Fiber</source>
        <translation>光纤</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>Marginal</source>
        <translation>临界</translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>Failed channels</source>
        <translation>不合格通道</translation>
    </message>
    <message>
        <source>Worst channel</source>
        <translation>最差通道</translation>
    </message>
    <message>
        <source>Worst margin (dB)</source>
        <translation>最差裕量 (dB)</translation>
    </message>
    <message>
        <source>%1 power</source>
        <translation>%1 功率</translation>
    </message>
    <message>
        <source>%1 margin</source>
        <translation>%1 裕量</translation>
    </message>
    <message>
        <source>stopped before the last page</source>
        <translation>在最后一页之前已停止</translation>
    </message>
    <message>
        <source>the PDF could not be drawn</source>
        <translation>无法绘制 PDF</translation>
    </message>
    <message>
        <source>its rows do not fit in this computer&apos;s memory</source>
        <translation>其各行无法全部放入本机内存</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>未写入任何内容</translation>
    </message>
    <message>
        <source>the program is stopping</source>
        <translation>程序正在退出</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>这是一个文件夹</translation>
    </message>
    <message>
        <source>&quot;%1&quot; had %2 links; the others keep the old content</source>
        <translation>&quot;%1&quot; 有 %2 个链接；其他链接仍保留旧内容</translation>
    </message>
    <message>
        <source>no temporary file could be made beside it</source>
        <translation>无法在其旁边创建临时文件</translation>
    </message>
    <message>
        <source>the temporary folder &quot;%1&quot; has no space left</source>
        <translation>临时文件夹 &quot;%1&quot; 没有剩余空间</translation>
    </message>
    <message>
        <source>%1 in the temporary folder &quot;%2&quot;</source>
        <translation>临时文件夹 &quot;%2&quot;: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would be written over the result file &quot;%2&quot;</source>
        <translation>&quot;%1&quot; 会覆盖结果文件 &quot;%2&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; and &quot;%2&quot; would both be written to &quot;%3&quot;; nothing was written</source>
        <translation>&quot;%1&quot; 和 &quot;%2&quot; 都会写入 &quot;%3&quot;；未写入任何内容</translation>
    </message>
    <message>
        <source>quenvale: %1 of %2 files done</source>
        <translation>quenvale: 已完成 %1/%2 个文件</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder: the results of several files go into an existing folder</source>
        <translation>&quot;%1&quot; 不是文件夹：多个文件的结果须写入一个已有文件夹</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: not enough memory</source>
        <translation>&quot;%1&quot;: 内存不足</translation>
    </message>
    <message>
        <source>Printing page %1 of %2</source>
        <translation>正在打印第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>the pages could not be drawn</source>
        <translation>无法绘制页面</translation>
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
  --export-xlsx OUT.xlsx FOLDER --lot [--warn-margin DB] [--limits FILE]
      Writes the workbook of the folder&apos;s result files taken as a lot, as
      --trend finds and reads them: sheet &quot;Files&quot;, a row per file in time
      order; &quot;Channels&quot;, each channel&apos;s statistics over the lot&apos;s fibers,
      each counted once by its latest result; &quot;Fibers&quot;, a row per fiber so
      counted, with its verdict and its power at each channel. OUT may be an
      existing folder: the workbook is then OUT/NAME.xlsx, NAME the folder&apos;s.
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
  --print-pdf OUT.pdf FOLDER --lot [--page-size A4|Letter] [--warn-margin DB] [--limits FILE]
      Writes the report of the folder&apos;s result files taken as a lot, read as
      --trend reads them: its figures, the trend of the files&apos; yields and of
      the channel where most fibers failed, with the run rules&apos; control
      limits and alarms; every channel&apos;s distribution over the lot&apos;s fibers,
      each counted once by its latest result, and the Pareto; a line per
      file. Print on a lot&apos;s tab prints the same report.
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
        <translation>Quenvale：光纤测量结果文件（.fib）查看器。

未给出 --export-csv、--export-xlsx、--print-pdf、--summary、--trend、
--sweep、--compare、--push 或 --plot 时，打开窗口，为给出的每个 FILE.fib
各开一个标签页，并显示最后一个；给出的文件夹作为批次打开：其中的结果文件
合在一起，并附带其趋势。

给出其中之一时，不打开窗口，执行该作业后退出：

  --export-csv OUT.csv FILE.fib
      将 FILE.fib 的 CSV 导出写入 OUT.csv：与在窗口中打开 FILE.fib 后立即
      “另存为”所写的字节完全相同。文件边读取边写出 CSV，因此无论文件多大，
      都只需很少的内存。
  --export-csv OUTDIR FILE.fib...
      为每个 FILE.fib 写出 OUTDIR/NAME.csv，NAME 为去掉末尾 &quot;.fib&quot;（不区分
      大小写）后的文件名。OUTDIR 必须是已存在的文件夹；只要它是文件夹，就
      按文件夹处理，即使只有一个文件。
  --export-csv - FILE.fib...
      将各文件的 CSV 依次写到标准输出。读取方提前关闭管道时，作业静默结束，
      退出状态为 0。
  --export-xlsx OUT.xlsx FILE.fib [--warn-margin DB] [--limits FILE]
      将 FILE.fib 的工作簿写入 OUT.xlsx（Excel、LibreOffice、pandas）：
      工作表 &quot;Fibers&quot; 每根光纤一行（名称、判定、是否临界、原因、不合格通道、
      最差通道及其裕量、各通道的功率和裕量；不合格的单元格填色）；&quot;Channels&quot;
      为各通道的统计量，与 --summary 给出的相同；&quot;Rows&quot; 为与 --export-csv
      相同的表格，数值按数值存储，限于一个工作表能容纳的行数（1,048,575 行；
      超出时省略该表，并在第一个工作表上注明）。光纤的判定方式与 --summary
      相同；文件头各行和良率写在工作簿的属性中。无论文件多大，占用内存都很小。
  --export-xlsx OUTDIR FILE.fib... [--warn-margin DB] [--limits FILE]
      为每个 FILE.fib 写出 OUTDIR/NAME.xlsx。
  --export-xlsx OUT.xlsx FOLDER --lot [--warn-margin DB] [--limits FILE]
      把文件夹中的结果文件作为一个批次写成工作簿，文件的查找和读取与
      --trend 相同：工作表 &quot;Files&quot;，按时间顺序每个文件一行；&quot;Channels&quot;，
      每个通道在批次光纤上的统计，每根光纤按其最新结果只计一次；&quot;Fibers&quot;，
      如此计数的每根光纤一行，含其判定及各通道的功率。OUT 可以是已存在的
      文件夹：此时工作簿为 OUT/NAME.xlsx，NAME 为该文件夹的名称。
  --print-pdf OUT.pdf FILE.fib [--page-size A4|Letter] [--verdicts [--warn-margin DB] [--limits FILE]]
      将 FILE.fib 的打印报告写入 OUT.pdf，每页报告对应一页 PDF，绘制代码与
      “打印”相同。使用 --verdicts 时，报告给出合格或不合格的判定：首页为文件
      名和文件头各行、良率、各通道的统计量及 Cpk、不合格的帕累托图和各分布，
      随后列出不合格光纤及其原因、不合格通道、最差通道和裕量；表格增加“判定”
      和“裕量”两列，不合格的行以粗体显示，并在页边空白处加一道黑条；每页的
      页脚为文件名和 &quot;Page N of M&quot;。
  --print-pdf OUTDIR FILE.fib... [--page-size A4|Letter] [--verdicts [--warn-margin DB] [--limits FILE]]
      为每个 FILE.fib 写出 OUTDIR/NAME.pdf。
  --print-pdf OUT.pdf FOLDER --lot [--page-size A4|Letter] [--warn-margin DB] [--limits FILE]
      把文件夹中的结果文件作为一个批次写出报告，读取方式与 --trend 相同：
      批次的数字，各文件良率的趋势以及不合格光纤最多的通道的趋势，附判异
      规则的控制限和报警；每个通道在批次光纤上的分布（每根光纤按其最新
      结果只计一次）及帕累托图；每个文件一行。批次标签页上的打印输出同一
      份报告。
  --summary [--format text|json|jsonl|csv] [--warn-margin DB] [--limits FILE] PATH...
      将每个结果文件中的每根光纤与其阈值比较，作出判定，每得出一个判定即写到
      标准输出。PATH 可以是结果文件（无论其名称如何都会读取），也可以是文件夹：
      即其中及其各级子文件夹中名称以 &quot;.fib&quot; 结尾（不区分大小写）的所有普通
      文件，按名称排序；其中同样名称的其他对象记为 &quot;not a regular file&quot;。
      被找到两次的文件只判定一次。各行的读取方式与 --export-csv 完全相同；
      每 18 行为一根光纤，以其第一行命名。通道的功率和阈值都是数值，且功率
      不低于阈值时，该通道合格；&quot;Low&quot; 为不合格，功率或阈值不是数值时也不合格
      （&quot;no number&quot;）。裕量为功率减阈值，单位为 dB。光纤有 18 行且全部合格时
      为合格（行数不足：&quot;incomplete&quot;）；其最差通道为第一个 Low 或非数值（无
      裕量）的通道，否则为裕量最小的通道。文件至少有一根光纤且每根光纤都合格
      时为合格（一根也没有：&quot;no rows&quot;）。若某行的第 69 个字节不是换行符（其前
      有空行、过短或过长的行），则在标准错误上指出第一个这样的行，从该行起的
      光纤均不合格（&quot;misaligned&quot;）。使用 --warn-margin 时，合格但最差裕量
      低于 DB dB 的光纤为临界光纤；它仍算合格，退出状态也不变。
      对每个通道给出以下各项（百分位数在最邻近的两个秩之间线性插值，精确到
      0.01 dB；功率单位为 dBm，裕量和离散程度单位为 dB）：
@FIGURES@      对每个文件，按通道和按原因统计不合格光纤数，从多到少排列（帕累托图）。
      text（默认）：每个不合格文件的路径，每根不合格光纤一行（其最差通道的
        功率、阈值和裕量），每根临界光纤也一行（&quot;PASS (marginal)&quot;）；然后每个
        文件一行（PASS、PASS (marginal) 或 FAIL，合格光纤数/总数、良率、临界
        光纤数），所有文件合计一行，以及无法读取的内容。
      json：{&quot;files&quot;: [{&quot;path&quot;, &quot;fiber_results&quot;: [{&quot;name&quot;, &quot;verdict&quot;,
        &quot;rows&quot;, &quot;reason&quot;, &quot;failed_channels&quot;, &quot;worst_channel&quot;,
        &quot;worst_margin&quot;, &quot;marginal&quot;}], &quot;verdict&quot;, &quot;fibers&quot;, &quot;failed&quot;,
        &quot;marginal&quot;, &quot;yield&quot;, &quot;channels&quot;: [{&quot;channel&quot;, &quot;wavelength&quot;, &quot;count&quot;,
        &quot;failed&quot;, &quot;marginal&quot;, &quot;min&quot;, &quot;max&quot;, &quot;mean&quot;, &quot;stddev&quot;, &quot;p01&quot;, &quot;p50&quot;,
        &quot;p99&quot;, &quot;margin_mean&quot;, &quot;margin_stddev&quot;, &quot;cpk&quot;}], &quot;pareto&quot;:
        {&quot;channels&quot;: [{&quot;channel&quot;, &quot;fibers&quot;}], &quot;reasons&quot;: [{&quot;reason&quot;,
        &quot;fibers&quot;}]}}], &quot;verdict&quot;, &quot;errors&quot;: [{&quot;path&quot;, &quot;message&quot;}]}；
        &quot;marginal&quot; 仅在使用 --warn-margin 时给出。
      jsonl：每行一个 JSON 对象：每根光纤一行（{&quot;file&quot;, &quot;type&quot;: &quot;fiber&quot;,
        以及与 json 中相同的光纤各成员），每个文件在其光纤之后一行（{&quot;file&quot;,
        &quot;type&quot;: &quot;file&quot;, &quot;verdict&quot; ... &quot;pareto&quot;}），每个无法读取的路径一行
        （{&quot;file&quot;, &quot;type&quot;: &quot;error&quot;, &quot;message&quot;}）。
      csv：file,fiber,verdict,rows,reason,worst_channel,worst_margin,
        failed_channels,path_bytes,marginal，每根光纤一行（RFC 4180），
        每个无法读取的路径一行（verdict 为 &quot;error&quot;）；使用 --warn-margin 时
        marginal 为 true 或 false，否则为空。
      文本为 UTF-8，由代码页 936 解码并去除首尾空白，不属于代码页 936 的字节
      显示为 U+FFFD；不是 UTF-8 的路径将其中的异常字节显示为 \xNN，并给出
      &quot;path_bytes&quot;（其字节的十六进制）。数值在不超过十五位数字时取最多六位
      小数的最短十进制形式，否则取最短的指数形式（1e+64）；无法给出数值时为
      null（csv 中为空）；良率向下舍入。
  --trend [--format text|json|jsonl|csv] [--warn-margin DB] [--limits FILE] [--no-cache] [--rules [--baseline N] [--follow]] PATH...
      将各 PATH 中的结果文件（查找方式同 --summary）合为一个批次，判定方式同
      --summary：按时间顺序每个文件一行（先按第一行的日期和时间，再按路径；
      文件内各光纤的顺序不变），给出其光纤数、合格数、临界数、良率、最差通道
      （不合格光纤最多的通道；若都没有不合格，则为裕量均值最小的通道）及其各
      通道中最小的 Cpk；然后是批次行：文件数、光纤数、合格数、良率、复测数及
      其中最终合格数。同一光纤名称出现多次（在多个文件中，或在一个文件中出现
      两次）即为复测，只计一次，取其最新结果：日期和时间最晚者，其次为按时间
      顺序较后的文件，再次为在文件中位置较后者。无法读取的文件连同原因列出，
      并单独计数。
      json：{&quot;files&quot;: [{&quot;path&quot;, &quot;first_time&quot; (ISO 8601), &quot;fibers&quot;,
        &quot;passed&quot;, &quot;marginal&quot;, &quot;yield&quot;, &quot;worst_channel&quot;, &quot;min_cpk&quot;}],
        &quot;lot&quot;: {&quot;files&quot;, &quot;fibers&quot;, &quot;passed&quot;, &quot;yield&quot;, &quot;first_passed&quot;,
        &quot;first_pass_yield&quot;（按每根光纤的首次结果）, &quot;retested&quot;,
        &quot;retested_passed&quot;, &quot;unread&quot;, &quot;failing_channel&quot;}, &quot;errors&quot;:
        [{&quot;path&quot;, &quot;message&quot;}]}；jsonl：内容相同，按行输出，&quot;type&quot; 为 &quot;file&quot;、
        &quot;lot&quot; 或 &quot;error&quot;；csv：type,path,first_time,files,unread,fibers,
        passed,marginal,yield,worst_channel,min_cpk,retested,retested_passed,
        failing_channel,message,path_bytes,first_passed,first_pass_yield。
      每个文件的汇总（从不包括其各行）保存在汇总缓存
      $XDG_CACHE_HOME/quenvale/summaries.sqlite 中（未设该变量时为
      ~/.cache/quenvale/），以文件的设备号和 inode 标识；仅当文件的大小、修改
      时间和状态更改时间与生成汇总时相同时才取用；若文件的时间精度粗于 1 毫秒，
      或在读取前不到 2 s 内改动过，则重新计算哈希（XXH3），且必须一致。缓存
      最多占用 QUENVALE_CACHE_MAX_MB MB（默认 256），超出时删除最久未用的
      条目，且绝不占用其所在磁盘的最后 64 MB；已删除或已改动的文件的条目会被
      删除。损坏的、属于其他程序的、由较新版本创建的或不是普通文件的缓存会被
      改名留存（并给出消息），然后重新创建；较旧版本的缓存就地重新创建。
      --no-cache 读取每个文件，且不改动缓存。
      按 --limits 判定的文件每次都要读取，从不保存到缓存中。
      --rules 增加控制图：对每个通道的裕量均值和 Cpk 以及各文件的良率，各作
      一张单值控制图，中心线为前 N 个文件的均值（--baseline，默认 20），控制限
      位于两侧各 3 sigma 处，sigma 为平均移动极差 / 1.128。八条尼尔森判异规则
      作用于裕量均值和良率；通道的 Cpk 降到 1.33 以下也是报警。json 增加
      &quot;control&quot;: {CHANNEL: {&quot;centre&quot;,
      &quot;lower&quot;, &quot;upper&quot;, &quot;sigma&quot;, &quot;baseline_files&quot;, &quot;cpk&quot;: {...}}},
      &quot;alarms&quot;: [{&quot;series&quot;, &quot;channel&quot;, &quot;rule&quot;, &quot;rule_text&quot;, &quot;file&quot;,
      &quot;time&quot;（判异序列开始处）, &quot;raised_file&quot;, &quot;raised_time&quot;, &quot;value&quot;；
      名称不是 UTF-8 时另有 &quot;file_bytes&quot;, &quot;raised_file_bytes&quot;}],
      &quot;control_notes&quot; 和批次的 &quot;yield_control&quot;；jsonl 中每项控制图一行
      &quot;control&quot;，每条报警一行 &quot;alarm&quot;；text 在批次行之后列出各报警。有报警
      时退出状态为 3。文件数少于基线所需时没有控制限也没有报警，并有说明指出。
      --follow 在此之后继续监视各 PATH，每条报警一经产生即写为一行 JSON
      （&quot;type&quot; &quot;alarm&quot;），直到收到 INT 或 TERM。
  --trend URL [--format text|json|jsonl|csv] [--station NAME]... [--since T] [--until T] [--rules [--baseline N]]
      同样的批次，但从工厂数据库（见 --push）而非文件夹读取：所有工位的文件，
      或所给各 --station 的文件，其第一行的时间不早于 --since T 且早于
      --until T（2018-05-21 或 2018-05-21T14:00，按工位的时钟）；所得数字与
      对已上传的文件夹运行 --trend 相同，每个文件的路径写作 STATION:PATH
      （两个工位可能写出同一路径的文件）。数据库中的汇总按各行的阈值判定：
      不能使用 --warn-margin 或 --limits。
  --push URL [--station NAME] [--rows] [--follow] PATH...
      像 --trend 一样为各 PATH 中的每个结果文件生成汇总，并保存到位于 URL 的
      工厂 PostgreSQL 数据库：postgresql://USER@HOST[:PORT]/DB
      （套接字所在文件夹写作 ?host=/path）或 service=NAME
      （~/.pg_service.conf）；密码取自 ~/.pgpass 或 PGPASSWORD，绝不取自 URL。
      每个文件属于该工位（NAME，默认为本机名称），以其完整路径标识：未改动
      （大小、修改时间及其字节的哈希均相同）时再次上传不增加任何内容，改动后
      则替换其先前版本，每次都在一个事务中完成。--rows 同时保存每个文件的各行，
      每个字段都与文件中的相同（已保存但未带各行的文件会补上各行）。各表在首次
      使用时创建，并随版本自动升级（模式版本 2）；较新的模式或被手工改动过的表
      将被拒绝。
      报告新增、替换和已存在的文件数；数据库无法使用，或文件无法读取或保存时，
      退出状态为 1。--follow 持续监视一个文件夹，每个新增或改动的文件写完稳定
      后即上传，每个一行（&quot;added PATH&quot;）；数据库无法连接时文件先等待，可以
      连接后再上传，直到收到 INT 或 TERM。
  --sweep [--format csv|json] [--channel CH] [--step DB] [--target PCT] [--limits FILE] PATH...
      将各 PATH 中的结果文件合在一起，每根光纤按其最新一次测量只计一次（与
      --trend 对复测的计法相同），对每个通道（或仅对 CH）给出：该通道的下限从
      其最小功率以 DB（默认 0.01）为步长移到最大功率时的光纤良率，其他通道均
      按其限值判定；良率达到 PCT %（默认 99）或以上的最大限值；以及根据测量过
      多次的光纤得出的重复性：该通道两次都合格时相邻两次功率之差的标准差除以
      2 的平方根（不合格的通道已经过修复，不算重复测量），保护带（3 倍重复性），
      以及建议限值（达到目标的限值加上保护带）。
      json：{&quot;channels&quot;: [{&quot;channel&quot;, &quot;fibers&quot;, &quot;curve&quot;: [[limit, yield]...],
        &quot;target&quot;, &quot;limit_for_target&quot;, &quot;retests&quot;, &quot;repeatability&quot;,
        &quot;repeatability_from&quot;（&quot;channel&quot;，或 &quot;station&quot;：某通道两次都合格的
        复测少于 10 次时，在各通道间合并计算）,
        &quot;guardband&quot;, &quot;proposed&quot;}]}；csv（默认）：type,channel,limit,
        yield,passed,fibers,target,limit_for_target,retests,repeatability,
        repeatability_from,guardband,proposed，每个限值一行 &quot;point&quot;，每个
        通道另有一行 &quot;channel&quot;。
  --compare [--format text|json|csv] [--alpha P] [--limits FILE] [--no-cache] A B
      将 B 与 A 比较，二者各为一个结果文件（所有光纤，判定方式同 --summary）
      或一个文件夹（一个批次，每根光纤按其最新结果只计一次，与 --trend 对复测
      的计法相同）。对每个通道给出：两侧数值功率的个数、均值、标准差、Cpk 和
      过程能力；均值的偏移 B - A，及其 95 % 置信区间和 Welch 检验 p 值（不假定
      两侧离散程度相等）；按每 0.01 dB 计数的功率的双样本 Kolmogorov-Smirnov
      距离及其 p 值（Stephens 近似）；各通道按偏移大小排序。两侧都有的光纤
      名称：其数量、各通道的配对差均值及其置信区间（Student t 分布）、判定的
      2x2 表和 Cohen kappa 系数。json：
      {&quot;a&quot;, &quot;b&quot; ({&quot;path&quot;, &quot;lot&quot;, &quot;files&quot;, &quot;unread&quot;, &quot;fibers&quot;}), &quot;alpha&quot;,
      &quot;channels&quot;: [{&quot;channel&quot;, &quot;a&quot;, &quot;b&quot; ({&quot;count&quot;, &quot;mean&quot;, &quot;stddev&quot;,
      &quot;cpk&quot;, &quot;capability&quot;}，某侧没有该通道时为 null),
      &quot;delta_mean&quot;, &quot;delta_ci95&quot;: [lo, hi], &quot;welch_p&quot;, &quot;ks&quot;, &quot;ks_p&quot;,
      &quot;shifted&quot;}], &quot;matched&quot;: {&quot;fibers&quot;, &quot;agreement&quot;: {&quot;pp&quot;, &quot;pf&quot;, &quot;fp&quot;,
      &quot;ff&quot;}, &quot;kappa&quot;, &quot;channels&quot;: [{&quot;channel&quot;, &quot;fibers&quot;,
      &quot;paired_delta_mean&quot;, &quot;paired_ci95&quot;}]}, &quot;notes&quot;}；无法得出的值为
      null，并附说明。csv：每个通道一行。任一通道的 Welch p 值低于 P（默认
      0.001）时退出状态为 3，便于脚本据此把关变更；某一侧或其中某个文件无法
      读取时为 1。
  --clear-cache
      删除汇总缓存及在其旁边改名留存的文件，并列出删除的每个文件；手工删除：
      rm -r ~/.cache/quenvale（或 $XDG_CACHE_HOME 下的该文件夹）。
  --plot OUT.png|OUT.svg|OUT.pdf FILE.fib [--size WxH] [--warn-margin DB] [--limits FILE]
      将 FILE.fib 的总体绘制成 WxH 像素的图像（默认 1920x1080；PDF 则为按每
      英寸 96 像素计的同样大小的页面），格式由文件名的后缀（或 --format）决定：
      各通道功率的直方图，阈值画为一条线（各行阈值不同时取最常见的值，其余画
      为刻度），均值画为虚线，均值 +-3 sigma 画为点线，不合格值所在的区间加
      阴影线，阈值上方的容差带加底纹；每幅图上方标出通道、波长、Cpk（低于 1.0
      为低，低于 1.33 为一般，否则为良；各有其图案）和不合格光纤数；旁边为按
      通道和按原因统计不合格光纤的帕累托图。坐标轴范围随大部分数值而定；远在
      范围之外的数值在面板下方的说明中计数。
      文件的读取和判定方式同 --summary。
  --plot OUTDIR FILE.fib... [--format png|svg|pdf] [--size WxH] [--warn-margin DB] [--limits FILE]
      为每个 FILE.fib 写出 OUTDIR/NAME.png（或 .svg、.pdf）。

--limits FILE 按用户自定的限值判定：一个 UTF-8 编码的 CSV 文件，表头为
channel,lower,upper,warn，随后为要设置的每个通道各一行（01 到 18，或 1 到 18）。
下限取代各行的阈值（&quot;below limit&quot;；单元格为空时保留阈值，&quot;below threshold&quot;）；
功率高于上限时不合格（&quot;above limit&quot;），其裕量为上限减功率；两者都有时，裕量
按较近的限值计算，Cpk 也取较近一侧的值。warn 为该通道自己的警告裕量（取代
--warn-margin）。汇总中给出 &quot;limit_source&quot;（&quot;file&quot; 或 FILE 的名称）以及各
通道实际使用的 lower、upper 和 warn。若文件含有未知通道、下限高于上限、数值
单元格中有文本、没有表头、同一通道出现两次或含有非 UTF-8 字节，则在判定任何
内容之前即被拒绝，并指出其行和列，退出状态为 2。

多个文件在本机所有核心上并行处理。无法读取或写入的文件会在标准错误上指出，
其余文件照常写出。两个文件会写出同一结果，或结果会替换某个被读取的文件时，
在写出任何内容之前即予拒绝。在终端上，标准错误显示已完成的文件数；否则，
成功的作业不在标准错误上输出任何内容。

结果为普通文件（或新文件）时，只有在写完并同步到磁盘后，才会替换同名的旧
文件：先写入旁边的一个私有临时文件（文件系统支持时不带名称，否则为
.quenvale-XXXXXXXX-NAME），然后让它取得旧文件的权限模式（在允许时还有其属主
和属组）、扩展属性及名称；之后同步该文件夹。失败或被信号终止的作业会保持旧
文件原样，且不留下临时文件；被强行终止的作业留下的带名称临时文件，会由下一个
写入该文件夹的作业删除。有其他名称（硬链接）的结果只在所给名称下被替换，并在
标准错误上说明。不是普通文件的结果（如 /dev/null 之类的设备、FIFO、套接字、
/dev/stdout）就地写入，从不替换；使用 --export-csv 时，它依次接收所给每个
文件的 CSV。符号链接会写到它所指向的文件。
文件名按所给的字节原样使用，无论其编码如何。

退出状态：
  0    所有文件均已写出（--summary、--trend：所有文件均合格）
  1    有文件或 PATH 无法读取或写入（其余的仍已完成；
       此状态优先于 3）
  2    参数无法使用（未做任何处理）
  3    --summary、--trend：有光纤或文件不合格（--trend --rules：或产生了
       报警）
  128 + N
       作业被信号 N 终止（SIGHUP 1, SIGINT 2, SIGQUIT 3,
       SIGUSR1 10, SIGUSR2 12, SIGPIPE 13, SIGALRM 14, SIGTERM 15, SIGXCPU 24,
       SIGXFSZ 25）：无论正在做什么，都会在半秒内以该信号结束。写入超过文件
       大小限制时失败，退出状态为 1。</translation>
    </message>
</context>
<context>
    <name>ReportPage</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
</context>
<context>
    <name>ResultDocument</name>
    <message>
        <source>No fibers to judge</source>
        <translation>没有可判定的光纤</translation>
    </message>
    <message>
        <source>%1 is no longer on disk; the window shows it as it was read.</source>
        <translation>%1 已不在磁盘上；窗口显示的是读取时的内容。</translation>
    </message>
    <message>
        <source>%1 is no longer on disk.</source>
        <translation>%1 已不在磁盘上。</translation>
    </message>
    <message>
        <source>%1 is empty now; the window shows it as it was read</source>
        <translation>%1 现在为空；窗口显示的是读取时的内容</translation>
    </message>
    <message>
        <source>%1 The window shows the file as it was read before.</source>
        <translation>%1 窗口显示的是之前读取时的文件内容。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 is growing: %2 fibers so far</source>
        <translation>%1 正在增长：目前已有 %2 根光纤</translation>
    </message>
</context>
<context>
    <name>ResultFileFinder</name>
    <message>
        <source>there is no result file (.fib) in it</source>
        <translation>其中没有结果文件（.fib）</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
</context>
<context>
    <name>RowCopy</name>
    <message>
        <source>not connected</source>
        <translation>未连接</translation>
    </message>
</context>
<context>
    <name>RunRules</name>
    <message>
        <source>one beyond 3 sigma</source>
        <translation>1 点落在 3σ 以外</translation>
    </message>
    <message>
        <source>nine in a row on one side of the centre</source>
        <translation>连续 9 点落在中心线同一侧</translation>
    </message>
    <message>
        <source>six in a row rising or falling</source>
        <translation>连续 6 点递增或递减</translation>
    </message>
    <message>
        <source>fourteen in a row alternating up and down</source>
        <translation>连续 14 点交替上下</translation>
    </message>
    <message>
        <source>two of three beyond 2 sigma on one side</source>
        <translation>连续 3 点中有 2 点落在中心线同一侧 2σ 以外</translation>
    </message>
    <message>
        <source>four of five beyond 1 sigma on one side</source>
        <translation>连续 5 点中有 4 点落在中心线同一侧 1σ 以外</translation>
    </message>
    <message>
        <source>fifteen in a row within 1 sigma</source>
        <translation>连续 15 点落在中心线两侧 1σ 以内</translation>
    </message>
    <message>
        <source>eight in a row beyond 1 sigma on either side</source>
        <translation>连续 8 点落在中心线两侧且无一在 1σ 以内</translation>
    </message>
</context>
<context>
    <name>StatusPanes</name>
    <message>
        <source>Reading %1 again: it changed on disk</source>
        <translation>正在重新读取 %1：磁盘上的文件已更改</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>正在读取 %1</translation>
    </message>
    <message>
        <source>%1: waiting for data</source>
        <translation>%1: 正在等待数据</translation>
    </message>
    <message>
        <source>limits: %1</source>
        <translation>限值: %1</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>
qvl
</source>
        <translation>
qvl
</translation>
    </message>
    <message>
        <source>Show which fibers fail their thresholds, where and by how much
Verdicts</source>
        <translation>显示哪些光纤未达阈值、在哪里以及相差多少
判定</translation>
    </message>
    <message>
        <source>Show the next fiber that fails its thresholds
Next failing fiber</source>
        <translation>显示下一根未达阈值的光纤
下一根不合格光纤</translation>
    </message>
    <message>
        <source>Show the previous fiber that fails its thresholds
Previous failing fiber</source>
        <translation>显示上一根未达阈值的光纤
上一根不合格光纤</translation>
    </message>
    <message>
        <source>Show the file&apos;s figures per channel and its failing fibers
Summary</source>
        <translation>显示文件各通道的统计数据及其不合格光纤
汇总</translation>
    </message>
    <message>
        <source>Close the selected tab
Close</source>
        <translation>关闭所选标签页
关闭</translation>
    </message>
    <message>
        <source>Find a fiber by a part of its name
Find fiber</source>
        <translation>按名称的一部分查找光纤
查找光纤</translation>
    </message>
    <message>
        <source>Show the file of the next tab
Next tab</source>
        <translation>显示下一个标签页的文件
下一个标签页</translation>
    </message>
    <message>
        <source>Show the file of the previous tab
Previous tab</source>
        <translation>显示上一个标签页的文件
上一个标签页</translation>
    </message>
    <message>
        <source>Mark the fibers that pass by less than a margin of your choice
Warning margin</source>
        <translation>标记合格裕量小于所设裕量的光纤
警告裕量</translation>
    </message>
    <message>
        <source>Judge the fibers by limits of your own: lower, upper and a band per channel
Limits</source>
        <translation>按自定义限值判定光纤：每个通道的下限、上限和容差带
限值</translation>
    </message>
    <message>
        <source>Show each channel&apos;s distribution against its threshold and the Pareto of the failures
Distributions</source>
        <translation>显示各通道相对其阈值的分布及不合格项的帕累托图
分布</translation>
    </message>
    <message>
        <source>List every fiber in the fiber box
All fibers</source>
        <translation>光纤列表框中列出全部光纤
全部光纤</translation>
    </message>
    <message>
        <source>List only the fibers that fail in the fiber box
Failing fibers</source>
        <translation>光纤列表框中只列出不合格光纤
不合格光纤</translation>
    </message>
    <message>
        <source>List only the marginal fibers in the fiber box
Marginal fibers</source>
        <translation>光纤列表框中只列出临界光纤
临界光纤</translation>
    </message>
    <message>
        <source>List only the fibers of fewer than 18 rows in the fiber box
Incomplete fibers</source>
        <translation>光纤列表框中只列出不足 18 行的光纤
不完整光纤</translation>
    </message>
    <message>
        <source>Write the file shown as an Excel workbook: its fibers with their verdicts, its channels and its rows
Export workbook</source>
        <translation>将当前显示的文件写为 Excel 工作簿：含其光纤及判定、通道和数据行
导出工作簿</translation>
    </message>
    <message>
        <source>Open a lot of the factory&apos;s database: stations and a time range
Open Database</source>
        <translation>打开工厂数据库中的一个批次：选择工位和时间范围
打开数据库</translation>
    </message>
    <message>
        <source>Compare two files or folders: each channel&apos;s shift and how far the verdicts of their fibers agree
Compare</source>
        <translation>比较两个文件或文件夹：各通道的偏移及其光纤判定的一致程度
比较</translation>
    </message>
    <message>
        <source>Quenvale</source>
        <translation>Quenvale</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>建立新文档
新建</source>
        <translation>建立新文档
新建</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>打开已有文档
打开</translation>
    </message>
    <message>
        <source>Open a folder&apos;s result files together as a lot
Open Folder</source>
        <translation>将一个文件夹中的结果文件一起作为一个批次打开
打开文件夹</translation>
    </message>
    <message>
        <source>关闭活动文档
关闭</source>
        <translation>关闭活动文档
关闭</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>保存活动文档
保存</translation>
    </message>
    <message>
        <source>Save the active document as a new file 
Save as</source>
        <translation>将活动文档另存为新文件 
另存为</translation>
    </message>
    <message>
        <source>改变打印选项
页面设置</source>
        <translation>改变打印选项
页面设置</translation>
    </message>
    <message>
        <source>改变打印机及打印选项
打印设置</source>
        <translation>改变打印机及打印选项
打印设置</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>打印活动文档
打印</translation>
    </message>
    <message>
        <source>Show whole page
Print preview</source>
        <translation>显示整页
打印预览</translation>
    </message>
    <message>
        <source>删除被选对象
删除</source>
        <translation>删除被选对象
删除</translation>
    </message>
    <message>
        <source>全部删除
全部删除</source>
        <translation>全部删除
全部删除</translation>
    </message>
    <message>
        <source>复制被选对象并将其置于剪贴板上
复制</source>
        <translation>复制被选对象并将其置于剪贴板上
复制</translation>
    </message>
    <message>
        <source>剪切被选对象并将其置于剪贴板上
剪切</source>
        <translation>剪切被选对象并将其置于剪贴板上
剪切</translation>
    </message>
    <message>
        <source>查找指定的正文
查找</source>
        <translation>查找指定的正文
查找</translation>
    </message>
    <message>
        <source>插入剪贴板内容
粘贴</source>
        <translation>插入剪贴板内容
粘贴</translation>
    </message>
    <message>
        <source>重复上一步操作
重复</source>
        <translation>重复上一步操作
重复</translation>
    </message>
    <message>
        <source>用不同的正文替换指定的正文
替换</source>
        <translation>用不同的正文替换指定的正文
替换</translation>
    </message>
    <message>
        <source>选择整个文档
选择全部</source>
        <translation>选择整个文档
选择全部</translation>
    </message>
    <message>
        <source>撤消最后一步操作
撤消</source>
        <translation>撤消最后一步操作
撤消</translation>
    </message>
    <message>
        <source>重新执行先前已撤消的操作
重新执行</source>
        <translation>重新执行先前已撤消的操作
重新执行</translation>
    </message>
    <message>
        <source>将活动的窗口分隔成窗格
分隔</source>
        <translation>将活动的窗口分隔成窗格
分隔</translation>
    </message>
    <message>
        <source>Show the program information，version and copyright
About</source>
        <translation>显示程序信息、版本和版权
关于</translation>
    </message>
    <message>
        <source>Quit the program
Quit</source>
        <translation>退出程序
退出</translation>
    </message>
    <message>
        <source>切换到下一个窗格
下一窗格</source>
        <translation>切换到下一个窗格
下一窗格</translation>
    </message>
    <message>
        <source>切换回前一个窗格
前一窗格</source>
        <translation>切换回前一个窗格
前一窗格</translation>
    </message>
    <message>
        <source>EXT</source>
        <translation>EXT</translation>
    </message>
    <message>
        <source>CAPS</source>
        <translation>CAPS</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>OVR</source>
        <translation>OVR</translation>
    </message>
    <message>
        <source>REC</source>
        <translation>REC</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏
显隐工具栏</source>
        <translation>显示或隐藏工具栏
显隐工具栏</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
显隐状态栏</source>
        <translation>显示或隐藏状态栏
显隐状态栏</translation>
    </message>
    <message>
        <source>改变窗口大小</source>
        <translation>改变窗口大小</translation>
    </message>
    <message>
        <source>改变窗口位置</source>
        <translation>改变窗口位置</translation>
    </message>
    <message>
        <source>将窗口缩小成图标</source>
        <translation>将窗口缩小成图标</translation>
    </message>
    <message>
        <source>把窗口放大到最大尺寸</source>
        <translation>把窗口放大到最大尺寸</translation>
    </message>
    <message>
        <source>切换到下一个文档窗口</source>
        <translation>切换到下一个文档窗口</translation>
    </message>
    <message>
        <source>切换到先前的文档窗口</source>
        <translation>切换到先前的文档窗口</translation>
    </message>
    <message>
        <source>关闭活动的窗口并提示保存所有文档</source>
        <translation>关闭活动的窗口并提示保存所有文档</translation>
    </message>
    <message>
        <source>把窗口恢复到正常大小</source>
        <translation>把窗口恢复到正常大小</translation>
    </message>
    <message>
        <source>激活任务表</source>
        <translation>激活任务表</translation>
    </message>
    <message>
        <source>关闭打印预览模式
取消预阅</source>
        <translation>关闭打印预览模式
取消预阅</translation>
    </message>
    <message>
        <source>打开该文档</source>
        <translation>打开该文档</translation>
    </message>
</context>
<context>
    <name>SummaryCache</name>
    <message>
        <source>the summary cache &quot;%1&quot; cannot be removed: %2</source>
        <translation>无法删除汇总缓存 &quot;%1&quot;：%2</translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation>无法写入</translation>
    </message>
    <message>
        <source>it is no summary cache of this program</source>
        <translation>它不是本程序的汇总缓存</translation>
    </message>
    <message>
        <source>its schema version is %1, this program&apos;s %2</source>
        <translation>其结构版本为 %1，本程序为 %2</translation>
    </message>
    <message>
        <source>no summary cache: there is no home folder (HOME is not set) and no XDG_CACHE_HOME; every file is read</source>
        <translation>无汇总缓存：没有主文件夹（未设置 HOME），也没有 XDG_CACHE_HOME；将逐个读取所有文件</translation>
    </message>
    <message>
        <source>no summary cache: the folder &quot;%1&quot; cannot be made; every file is read</source>
        <translation>无汇总缓存：无法创建文件夹 &quot;%1&quot;；将逐个读取所有文件</translation>
    </message>
    <message>
        <source>no summary cache: Qt&apos;s SQLite driver is not installed (package libqt6sql6-sqlite); every file is read</source>
        <translation>无汇总缓存：未安装 Qt 的 SQLite 驱动（软件包 libqt6sql6-sqlite）；将逐个读取所有文件</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a regular file</source>
        <translation>&quot;%1&quot; 不是普通文件</translation>
    </message>
    <message>
        <source>no summary cache this time: &quot;%1&quot; cannot be used (%2); every file is read</source>
        <translation>本次不使用汇总缓存：&quot;%1&quot; 无法使用（%2）；将逐个读取所有文件</translation>
    </message>
    <message>
        <source>no summary cache: a new &quot;%1&quot; cannot be made (%2); every file is read</source>
        <translation>无汇总缓存：无法新建 &quot;%1&quot;（%2）；将逐个读取所有文件</translation>
    </message>
    <message>
        <source>no summary cache: &quot;%1&quot; cannot be used (%2) nor set aside (%3); every file is read</source>
        <translation>无汇总缓存：&quot;%1&quot; 无法使用（%2），也无法移到一旁（%3）；将逐个读取所有文件</translation>
    </message>
    <message>
        <source>the summary cache &quot;%1&quot; could not be used (%2): it was set aside as &quot;%3&quot;, and a new one is made</source>
        <translation>汇总缓存 &quot;%1&quot; 无法使用（%2）：已将其移至 &quot;%3&quot;，并新建一个</translation>
    </message>
    <message>
        <source>the summary cache &quot;%1&quot; could not be %2 (%3); the files are read as without it</source>
        <translation>汇总缓存 &quot;%1&quot; 无法%2（%3）；文件将按无缓存方式读取</translation>
    </message>
    <message>
        <source>read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>an entry of it is damaged</source>
        <translation>其中有条目已损坏</translation>
    </message>
    <message>
        <source>written</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>the summary cache &quot;%1&quot; keeps no more: its disk has %2 MB free, and it leaves %3 MB free; the files are read as without it</source>
        <translation>汇总缓存 &quot;%1&quot; 不再保存新内容：其磁盘剩余 %2 MB，而它须保留 %3 MB 空闲；文件将按无缓存方式读取</translation>
    </message>
</context>
<context>
    <name>SummaryDialog</name>
    <message>
        <source>Summary</source>
        <translation>汇总</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>导出(&amp;E)...</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Failing fibers: %1 of %2</source>
        <translation>不合格光纤：%2 根中 %1 根</translation>
    </message>
    <message>
        <source>Failing fibers: being judged</source>
        <translation>不合格光纤：正在判定</translation>
    </message>
    <message>
        <source>No file is shown: there is no summary to write.</source>
        <translation>未显示文件：没有可写出的汇总。</translation>
    </message>
</context>
<context>
    <name>SummaryJsonWriter</name>
    <message>
        <source>no rows</source>
        <translation>无数据行</translation>
    </message>
</context>
<context>
    <name>SummaryTextWriter</name>
    <message>
        <source>too large to hold as a number</source>
        <translation>数值过大，无法表示</translation>
    </message>
    <message>
        <source>(marginal)</source>
        <translation>(临界)</translation>
    </message>
    <message>
        <source>1 path could not be read</source>
        <translation>1 个路径无法读取</translation>
    </message>
    <message>
        <source>%1 paths could not be read</source>
        <translation>%1 个路径无法读取</translation>
    </message>
    <message>
        <source>the path given could not be read</source>
        <translation>给定的路径无法读取</translation>
    </message>
    <message>
        <source>%1 of the %2 paths given could not be read</source>
        <translation>给定的 %2 个路径中有 %1 个无法读取</translation>
    </message>
    <message>
        <source>1 of the %1 paths found in the folders given could not be read</source>
        <translation>在给定文件夹中找到的 %1 个路径中有 1 个无法读取</translation>
    </message>
    <message>
        <source>%1 of the %2 paths found in the folders given could not be read</source>
        <translation>在给定文件夹中找到的 %2 个路径中有 %1 个无法读取</translation>
    </message>
    <message>
        <source>all of 1 file</source>
        <translation>全部 1 个文件</translation>
    </message>
    <message>
        <source>all %1 files</source>
        <translation>全部 %1 个文件</translation>
    </message>
    <message>
        <source>fiber</source>
        <translation>光纤</translation>
    </message>
    <message>
        <source>fibers</source>
        <translation>光纤</translation>
    </message>
    <message>
        <source>%1 marginal</source>
        <translation>临界 %1</translation>
    </message>
</context>
<context>
    <name>SummaryWriter</name>
    <message>
        <source>no rows</source>
        <translation>无数据行</translation>
    </message>
    <message>
        <source>at</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>no channel has a number</source>
        <translation>所有通道均无数值</translation>
    </message>
    <message>
        <source>worst channel</source>
        <translation>最差通道</translation>
    </message>
    <message>
        <source>power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>threshold</source>
        <translation>阈值</translation>
    </message>
    <message>
        <source>lower limit</source>
        <translation>下限</translation>
    </message>
    <message>
        <source>upper limit</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>margin</source>
        <translation>裕量</translation>
    </message>
    <message>
        <source>PASS (marginal)</source>
        <translation>PASS (临界)</translation>
    </message>
    <message>
        <source>incomplete (1 row)</source>
        <translation>不完整（1 行）</translation>
    </message>
    <message>
        <source>incomplete (%1 rows)</source>
        <translation>不完整（%1 行）</translation>
    </message>
    <message>
        <source>no number</source>
        <translation>非数值</translation>
    </message>
</context>
<context>
    <name>SweepChart</name>
    <message>
        <source>%1: %2 % down to %3 dBm</source>
        <translation>%1：下限不高于 %3 dBm 时良率达 %2 %</translation>
    </message>
    <message>
        <source>%1: %2 % at no limit</source>
        <translation>%1：任何下限都达不到 %2 % 良率</translation>
    </message>
    <message>
        <source>; no retests</source>
        <translation>；无复测</translation>
    </message>
    <message>
        <source>; repeatability %1 dB (the station&apos;s; %2 retests here)</source>
        <translation>；重复性 %1 dB（取工位的值；本通道 %2 次复测）</translation>
    </message>
    <message>
        <source>; repeatability %1 dB from %2 retests</source>
        <translation>；重复性 %1 dB，来自 %2 次复测</translation>
    </message>
    <message>
        <source>, guardband %1 dB</source>
        <translation>，保护带 %1 dB</translation>
    </message>
    <message>
        <source>, proposed %1 dBm</source>
        <translation>，建议 %1 dBm</translation>
    </message>
    <message>
        <source>%1 dBm</source>
        <translation>%1 dBm</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>proposed</source>
        <translation>建议值</translation>
    </message>
    <message>
        <source>in use</source>
        <translation>当前值</translation>
    </message>
</context>
<context>
    <name>SweepView</name>
    <message>
        <source>Yield against the lower limit</source>
        <translation>良率随下限的变化</translation>
    </message>
</context>
<context>
    <name>TabFiles</name>
    <message>
        <source>Reading %1</source>
        <translation>正在读取 %1</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>fail %1</source>
        <translation>不合格 %1</translation>
    </message>
    <message>
        <source>warn %1</source>
        <translation>警告 %1</translation>
    </message>
    <message>
        <source>UCL %1</source>
        <translation>UCL %1</translation>
    </message>
    <message>
        <source>LCL %1</source>
        <translation>LCL %1</translation>
    </message>
</context>
<context>
    <name>TrendView</name>
    <message>
        <source>no time</source>
        <translation>无时间</translation>
    </message>
    <message>
        <source>Mark a Change Here</source>
        <translation>在此标记变更点</translation>
    </message>
    <message>
        <source>Clear Changes and Baseline</source>
        <translation>清除变更点和基线</translation>
    </message>
    <message>
        <source>Show Every File</source>
        <translation>显示全部文件</translation>
    </message>
    <message>
        <source>Save Image...</source>
        <translation>保存图像...</translation>
    </message>
</context>
<context>
    <name>TrendWriter</name>
    <message>
        <source>First row            Verdict  Passed/fibers   Yield</source>
        <translation>首行时间             判定       合格/光纤    良率</translation>
    </message>
    <message>
        <source>  Marginal</source>
        <translation>  临界光纤</translation>
    </message>
    <message>
        <source>  Worst  Least Cpk  File</source>
        <translation>  最差    最小 Cpk  文件</translation>
    </message>
    <message>
        <source>lot: %1 of %2 fibers passed (%3), each counted once; %4 retested, %5 of them passed in the end</source>
        <translation>批次：%2 根光纤中 %1 根合格（%3），每根只计一次；%4 根复测，其中 %5 根最终合格</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 个文件</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 个文件</translation>
    </message>
    <message>
        <source>%1 could not be read</source>
        <translation>%1 个无法读取</translation>
    </message>
    <message>
        <source>fails most at channel %1 (%2 fibers)</source>
        <translation>不合格最多的通道为 %1（%2 根光纤）</translation>
    </message>
    <message>
        <source>%1 passed the first time</source>
        <translation>一次合格率 %1</translation>
    </message>
</context>
<context>
    <name>WarningMarginDialog</name>
    <message>
        <source>&amp;Mark fibers that pass by less than</source>
        <translation>标记合格裕量小于此值的光纤(&amp;M)</translation>
    </message>
    <message>
        <source>Warning Margin</source>
        <translation>警告裕量</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> dB</translation>
    </message>
    <message>
        <source>Warning margin in dB</source>
        <translation>警告裕量（dB）</translation>
    </message>
    <message>
        <source>A fiber that passes, but whose worst channel is less than this above its threshold, is marginal: it still passes. A margin equal to it is not marginal.</source>
        <translation>合格但最差通道高出其阈值不足此值的光纤为临界光纤：它仍然合格。裕量恰好等于此值的不算临界。</translation>
    </message>
</context>
<context>
    <name>WindowWork</name>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
</context>
<context>
    <name>Wording</name>
    <message>
        <source>incomplete</source>
        <translation>不完整</translation>
    </message>
    <message>
        <source>below threshold</source>
        <translation>低于阈值</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>no number</source>
        <translation>非数值</translation>
    </message>
    <message>
        <source>misaligned</source>
        <translation>行未对齐</translation>
    </message>
    <message>
        <source>below limit</source>
        <translation>低于下限</translation>
    </message>
    <message>
        <source>above limit</source>
        <translation>高于上限</translation>
    </message>
    <message>
        <source>good</source>
        <translation>良好</translation>
    </message>
    <message>
        <source>fair</source>
        <translation>尚可</translation>
    </message>
    <message>
        <source>low</source>
        <translation>不足</translation>
    </message>
    <message>
        <source>%1 of 1 fiber passes (%2)</source>
        <translation>1 根光纤中 %1 根合格（%2）</translation>
    </message>
    <message>
        <source>%1 of %2 fibers pass (%3)</source>
        <translation>%2 根光纤中 %1 根合格（%3）</translation>
    </message>
    <message>
        <source>, %1 marginal</source>
        <translation>，临界 %1 根</translation>
    </message>
    <message>
        <source>1 file, </source>
        <translation>1 个文件，</translation>
    </message>
    <message>
        <source>%1 files, </source>
        <translation>%1 个文件，</translation>
    </message>
    <message>
        <source>%1 of %2 fibers passed (%3), each counted once; %4 retested, %5 of them passed in the end</source>
        <translation>%2 根光纤中 %1 根合格（%3），每根只计一次；%4 根复测，其中 %5 根最终合格</translation>
    </message>
    <message>
        <source>; %1 passed the first time</source>
        <translation>；一次合格率 %1</translation>
    </message>
    <message>
        <source>; fails most at channel %1 (%2 fibers)</source>
        <translation>；不合格最多的通道为 %1（%2 根光纤）</translation>
    </message>
    <message>
        <source>; %1 could not be read</source>
        <translation>；%1 个文件无法读取</translation>
    </message>
</context>
<context>
    <name>WorkbookExport</name>
    <message>
        <source>no number</source>
        <translation>非数值</translation>
    </message>
    <message>
        <source>The Rows sheet is left out: the file&apos;s %1 rows are more than a sheet holds (%2).</source>
        <translation>已略去 Rows 工作表：该文件有 %1 行，超过一个工作表的容量（%2）。</translation>
    </message>
    <message>
        <source>Only the first %1 of the file&apos;s %2 fibers are on this sheet, as many as it holds.</source>
        <translation>此工作表只含该文件 %2 根光纤中的前 %1 根，已达其容量上限。</translation>
    </message>
    <message>
        <source>the workbook could not be begun</source>
        <translation>无法开始创建工作簿</translation>
    </message>
    <message>
        <source>stopped before the last row</source>
        <translation>在最后一行之前已停止</translation>
    </message>
    <message>
        <source>its rows could not be read back from their temporary file</source>
        <translation>无法从临时文件读回其数据行</translation>
    </message>
    <message>
        <source>no temporary file for its rows: %1</source>
        <translation>无法为其数据行创建临时文件：%1</translation>
    </message>
    <message>
        <source>its rows could not be kept: %1</source>
        <translation>无法保存其数据行：%1</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>内存不足</translation>
    </message>
</context>
<context>
    <name>WorkbookFile</name>
    <message>
        <source>a sheet was cut short in its temporary file in %1 (is that disk full?)</source>
        <translation>%1 中的临时文件里有工作表被截断（磁盘是否已满？）</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>cannot start the window program %1: %2</source>
        <translation>无法启动图形界面程序 %1：%2</translation>
    </message>
</context>
</TS>
