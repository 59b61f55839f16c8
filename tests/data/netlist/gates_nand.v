// gates_nand: structural Verilog netlist written by Kestrel.
// F = x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3
// Realized in the structure: Multiplexer and Gates
// Inputs: x4 x3 x2 x1 x0, the function's variables, the most significant first; output: F.
// Node k of the realization is the instance mux<k> (nand<k>, nor<k>, and<k>, or<k>) with
// the output n<k>. Level 0 is the output node, in the drawing's rightmost column; level 1
// is the column left of it, and so on; each column is counted from the top.

module gates_nand (
  input x4, x3, x2, x1, x0,
  output F
);
  wire x4_n, x2_n, x1_n, n1, n2, n3, n4, n5, n6;

  // the variables that enter complemented
  not inv_x4 (x4_n, x4);
  not inv_x2 (x2_n, x2);
  not inv_x1 (x1_n, x1);

  // node 1: 2-input NAND gate at level 2, 1st from the top
  nand nand1 (n1, x2_n, x1_n);

  // node 2: 3-input NAND gate at level 2, 2nd from the top
  nand nand2 (n2, x2_n, x1, x0);

  // node 3: 3-input NAND gate at level 1, 1st from the top
  // input 0: node 1, built for ~x2~x1
  // input 1: node 2, built for ~x2x1x0
  nand nand3 (n3, n1, n2, x4_n);

  // node 4: 2-input NAND gate at level 2, 3rd from the top
  nand nand4 (n4, x2, x1);

  // node 5: 3-input NAND gate at level 2, 4th from the top
  nand nand5 (n5, x2_n, x1, x0);

  // node 6: 2-input NAND gate at level 1, 2nd from the top
  // input 0: node 4, built for x2x1
  // input 1: node 5, built for ~x2x1x0
  nand nand6 (n6, n4, n5);

  // node 7: 2-input multiplexer at level 0, 1st from the top; its output is F
  // address inputs x3 (A0)
  // input 0: node 3, built for ~x2~x1+~x2x1x0+x4
  // input 1: node 6, built for x2x1+~x2x1x0
  gates_nand_mux2 mux7 (.a0(x3), .d0(n3), .d1(n6), .y(F));
endmodule

// 2-input multiplexer: y is the data input d<i> whose number i the address a0 selects.
module gates_nand_mux2 (
  input a0,
  input d0, d1,
  output y
);
  assign y = a0 ? d1 : d0;
endmodule
