// demux8: structural Verilog netlist written by Kestrel.
// F = x2x1+~x2~x0
// Realized in the structure: Demultiplexer
// Inputs: x2 x1 x0, the function's variables, the most significant first; output: F.
// The demultiplexer's output k is active (low) when its address is k.

module demux8 (
  input x2, x1, x0,
  output F
);
  wire demux_y0_n, demux_y2_n, demux_y6_n, demux_y7_n;

  // the demultiplexer
  // address inputs x2 x1 x0 (A2 A1 A0); enable tied active (low); outputs active low
  demux8_demux8 demux (
    .g_n(1'b0), .a2(x2), .a1(x1), .a0(x0), .y0_n(demux_y0_n), .y1_n(), .y2_n(demux_y2_n), .y3_n(),
    .y4_n(), .y5_n(), .y6_n(demux_y6_n), .y7_n(demux_y7_n));

  // the collecting gate; its output is F
  // NAND of the demultiplexer's outputs 0, 2, 6, 7: 1 exactly at those addresses
  nand collect (F, demux_y0_n, demux_y2_n, demux_y6_n, demux_y7_n);
endmodule

// 8-output demultiplexer with an active-low enable g_n and active-low outputs: y<k>_n is
// 0 exactly when g_n is 0 and the address {a2, a1, a0} is k.
module demux8_demux8 (
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
