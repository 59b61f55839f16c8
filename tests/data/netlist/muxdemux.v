// muxdemux: structural Verilog netlist written by Kestrel.
// F = x3x2x1+~x3x0+x2~x1~x0
// Realized in the structure: Multiplexer and Demultiplexer
// Inputs: x3 x2 x1 x0, the function's variables, the most significant first; output: F.
// Collecting gate t is entry t of the realization's collecting-gate table, with the
// output c<t>; the demultiplexer's output k is active (low) when its address is k.

module muxdemux (
  input x3, x2, x1, x0,
  output F
);
  wire demux_y0_n, demux_y2_n, demux_y4_n, demux_y6_n, demux_y7_n, c1_pre, c1, c2;

  // the demultiplexer, shared by the collecting gates
  // address inputs x2 x1 x0 (A2 A1 A0); enable tied active (low); outputs active low
  muxdemux_demux8 demux (
    .g_n(1'b0), .a2(x2), .a1(x1), .a0(x0), .y0_n(demux_y0_n), .y1_n(), .y2_n(demux_y2_n), .y3_n(),
    .y4_n(demux_y4_n), .y5_n(), .y6_n(demux_y6_n), .y7_n(demux_y7_n));

  // collecting gate 1, for the multiplexer's input 0: x0+x2~x1~x0
  // NAND of the demultiplexer's outputs 0, 2, 6 and an inverter: 0 exactly at those addresses
  nand collect1 (c1_pre, demux_y0_n, demux_y2_n, demux_y6_n);
  not inv_c1 (c1, c1_pre);

  // collecting gate 2, for the multiplexer's input 1: x2x1+x2~x1~x0
  // NAND of the demultiplexer's outputs 4, 6, 7: 1 exactly at those addresses
  nand collect2 (c2, demux_y4_n, demux_y6_n, demux_y7_n);

  // the multiplexer; its output is F
  // address inputs x3 (A0)
  // input 0: collecting gate 1
  // input 1: collecting gate 2
  muxdemux_mux2 mux (.a0(x3), .d0(c1), .d1(c2), .y(F));
endmodule

// 2-input multiplexer: y is the data input d<i> whose number i the address a0 selects.
module muxdemux_mux2 (
  input a0,
  input d0, d1,
  output y
);
  assign y = a0 ? d1 : d0;
endmodule

// 8-output demultiplexer with an active-low enable g_n and active-low outputs: y<k>_n is
// 0 exactly when g_n is 0 and the address {a2, a1, a0} is k.
module muxdemux_demux8 (
  input g_n,
  input a2, a1, a0,
  output y0_n, y1_n, y2_n, y3_n, y4_n, y5_n, y6_n, y7_n
);
  assign y0_n = g_n | ({a2, a1, a0} != 3'd0);
  assign y1_n = g_n | ({a2, a1, a0} != 3'd1);
  assign y2_n = g_n | ({a2, a1, a0} != 3'd2);
  assign y3_n = g_n | ({a2, a1, a0} != 3'd3);
  assign y4_n = g_n | ({a2, a1, a0} != 3'd4);
  assign y5_n = g_n | ({a2, a1, a0} != 3'd5);
  assign y6_n = g_n | ({a2, a1, a0} != 3'd6);
  assign y7_n = g_n | ({a2, a1, a0} != 3'd7);
endmodule
